#pragma once
// Driving windows as the user does: finding controls by name, clicking them,
// and acting on a modal window that a command opens and runs to its end before
// it returns (the action is posted first and runs inside the window's own loop).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <ostream>

// Failures show window texts as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace verdanto::testing {

template <typename T>
T* Child(const QObject& window, const char* name) {
  T* child = window.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

inline void Click(const QObject& window, const char* button) {
  QTest::mouseClick(Child<QAbstractButton>(window, button), Qt::LeftButton);
}

// Runs `act` on the next modal window as soon as it is shown; a window that `act`
// leaves open is closed, and a window that never comes lets the test go on after
// `timeoutMs`, so that a fault fails the test instead of hanging it.
inline void WhenModalShown(std::function<void(QWidget&)> act, int timeoutMs = 10000) {
  auto* poll = new QTimer(qApp);
  poll->setInterval(5);
  const int maxTries = timeoutMs / 5;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, act = std::move(act), maxTries, tries = 0]() mutable {
    QPointer<QWidget> modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
      if (++tries > maxTries) poll->deleteLater();
      return;
    }
    poll->stop();
    poll->deleteLater();
    act(*modal);
    if (modal && modal->isVisible()) modal->close();
  });
  poll->start();
}

}  // namespace verdanto::testing
