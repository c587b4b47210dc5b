#include "controls/picker_fields.h"

#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace orlane {

namespace {

class FieldSelector final : public QObject {
 public:
  explicit FieldSelector(QDateTimeEdit* picker) : QObject(picker), picker_(picker) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease) {
      // After the line edit has placed its cursor: the field there is the current one.
      QTimer::singleShot(0, this, [this] {
        if (picker_ && picker_->currentSection() != QDateTimeEdit::NoSection)
          picker_->setSelectedSection(picker_->currentSection());
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QPointer<QDateTimeEdit> picker_;
};

}  // namespace

void SelectFieldOnClick(QDateTimeEdit* picker) {
  if (QLineEdit* text = picker->findChild<QLineEdit*>()) text->installEventFilter(new FieldSelector(picker));
}

}  // namespace orlane
