#include "framework/Window.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include "framework/qt/QtWindow.h"

namespace kirabo {

void PostToWindowThread(NativeWindow* window, std::function<void()> call) {
  QWidget* widget = ToWidget(window);
  if (widget == nullptr) return;
  QMetaObject::invokeMethod(widget, std::move(call), Qt::QueuedConnection);
}

void PostToWindowThreadAfter(NativeWindow* window, std::chrono::milliseconds delay, std::function<void()> call) {
  if (QWidget* widget = ToWidget(window)) QTimer::singleShot(delay, widget, std::move(call));
}

bool IsWindowThread(const NativeWindow* window) {
  const QWidget* widget = ToWidget(window);
  return widget != nullptr && QThread::currentThread() == widget->thread();
}

void DeliverPostedCalls() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace kirabo
