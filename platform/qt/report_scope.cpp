#include "platform/qt/report_scope.h"

#include <vector>

namespace lumi::platform::qt_backend {
namespace {

int g_reporting = 0;

std::vector<QPointer<QWidget>>& Doomed() {
  static std::vector<QPointer<QWidget>> widgets;
  return widgets;
}

void ReleaseDoomed() {
  std::vector<QPointer<QWidget>> doomed;
  doomed.swap(Doomed());
  for (const QPointer<QWidget>& widget : doomed) {
    if (widget) widget->deleteLater();
  }
}

}  // namespace

ReportScope::ReportScope() { ++g_reporting; }

ReportScope::~ReportScope() {
  if (--g_reporting == 0) ReleaseDoomed();
}

bool ReportScope::Active() { return g_reporting > 0; }

void ReportScope::DeleteLater(QWidget* widget) { Doomed().push_back(widget); }

void ReportScope::DeleteNow() {
  std::vector<QPointer<QWidget>> doomed;
  doomed.swap(Doomed());
  for (const QPointer<QWidget>& widget : doomed) delete widget.data();
}

}  // namespace lumi::platform::qt_backend
