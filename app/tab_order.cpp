#include "app/tab_order.h"

#include "app/window_layout.h"

#include <QWidget>
#include <vector>

namespace orlane {

namespace {
bool TakesTab(const QWidget* w) {
  return (w->focusPolicy() & Qt::TabFocus) && !w->isHidden();
}

void CollectStops(QWidget* client, std::vector<QWidget*>& stops) {
  for (QWidget* w : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!w->property("controlId").isValid() || !w->isVisibleTo(client)) continue;
    if (TakesTab(w)) {
      stops.push_back(w);
      continue;
    }
    // A group of buttons (the mode switch): each button is a stop.
    for (QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (TakesTab(child)) stops.push_back(child);
  }
}
}  // namespace

void ApplyReadingTabOrder(QWidget* client, const QRect& workArea) {
  std::vector<QWidget*> stops;
  CollectStops(client, stops);
  std::vector<QRect> rects;
  rects.reserve(stops.size());
  for (const QWidget* w : stops) rects.emplace_back(w->mapTo(client, QPoint(0, 0)), w->size());
  QWidget* previous = nullptr;
  for (int i : TabOrder(rects, workArea)) {
    QWidget* w = stops[static_cast<size_t>(i)];
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

}  // namespace orlane
