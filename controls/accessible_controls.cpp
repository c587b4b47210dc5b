#include "controls/accessible_controls.h"

#include "controls/bar_ctrl.h"
#include "controls/mac_button.h"
#include "controls/themed_dialog.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QRegularExpression>

namespace orlane {

namespace {

class MacButtonAccessible final : public QAccessibleWidget {
 public:
  explicit MacButtonAccessible(CMacButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    const auto* b = static_cast<const CMacButton*>(widget());
    if (t == QAccessible::Name && b->accessibleName().isEmpty()) return AccessibleButtonName(b->text(), b->toolTip());
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    const auto* b = static_cast<const CMacButton*>(widget());
    QAccessible::State s = QAccessibleWidget::state();
    if (b->ToggleModeValue() == CMacButton::kPushMode) {
      s.pressed = b->isDown();
    } else {
      s.checkable = true;
      s.checked = b->GetVisualState() == CMacButton::kPressed;
    }
    return s;
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (widget()->isEnabled()) names.prepend(pressAction());
    return names;
  }

  void doAction(const QString& action) override {
    if (action == pressAction() && widget()->isEnabled()) {
      static_cast<CMacButton*>(widget())->Press();
      return;
    }
    QAccessibleWidget::doAction(action);
  }
};

class BarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit BarAccessible(CBarCtrl* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return QString::number(Bar()->Pos());
    return QAccessibleWidget::text(t);
  }

  QVariant currentValue() const override { return Bar()->Pos(); }
  void setCurrentValue(const QVariant&) override {}  // shows progress; nobody sets it
  QVariant maximumValue() const override { return Bar()->Maximum(); }
  QVariant minimumValue() const override { return Bar()->Minimum(); }
  QVariant minimumStepSize() const override { return 1; }

 private:
  const CBarCtrl* Bar() const { return static_cast<const CBarCtrl*>(widget()); }
};

class ThemedDialogAccessible final : public QAccessibleWidget {
 public:
  explicit ThemedDialogAccessible(CThemedDialog* dialog)
      : QAccessibleWidget(dialog, dialog->IsAlert() ? QAccessible::AlertMessage : QAccessible::Dialog) {}

  QString text(QAccessible::Text t) const override {
    const auto* dialog = static_cast<const CThemedDialog*>(widget());
    if (t == QAccessible::Name) return dialog->windowTitle();
    if (t == QAccessible::Description && dialog->IsAlert()) return dialog->AlertText();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* ControlsFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("orlane::CMacButton"))
    return new MacButtonAccessible(static_cast<CMacButton*>(object));
  if (className == QLatin1String("orlane::CBarCtrl")) return new BarAccessible(static_cast<CBarCtrl*>(object));
  if (className == QLatin1String("orlane::CThemedDialog"))
    return new ThemedDialogAccessible(static_cast<CThemedDialog*>(object));
  return nullptr;
}

}  // namespace

void InstallControlsAccessibility() {
  QAccessible::installFactory(&ControlsFactory);
}

QString AccessibleButtonName(const QString& caption, const QString& tip) {
  QString name = caption;
  name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
  if (name.trimmed().isEmpty()) {
    static const QRegularExpression keyHint(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    name = tip;
    name.remove(keyHint);
  }
  return name.trimmed();
}

}  // namespace orlane
