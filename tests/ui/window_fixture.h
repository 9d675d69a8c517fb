// What every window test does: a fresh workspace and main window for each
// test, typing into the input panel, moving the pointer, finding a menu
// entry, all through real Qt events.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "core/workspace.h"
#include "ui/kest_view.h"
#include "ui/main_frame.h"

namespace kest {

struct WindowFixture {
  Workspace* ws = nullptr;
  CMainFrame* frame = nullptr;

  bool openWindow() {
    ws = new Workspace();
    frame = new CMainFrame(*ws);
    frame->show();
    return QTest::qWaitForWindowExposed(frame);
  }

  void closeWindow() {
    delete frame;
    delete ws;
    frame = nullptr;
    ws = nullptr;
  }

  // Types text into the open panel and presses Enter.
  void type(const char* text) {
    QTest::keyClicks(frame->view(), QString::fromLatin1(text));
    QTest::keyClick(frame->view(), Qt::Key_Return);
  }

  // Moves the pointer to a view point, as the mouse does. Qt sends no
  // event for a move to where the pointer already is (as it may be from an
  // earlier test): step aside first.
  void point(int x, int y) {
    QTest::mouseMove(frame->view(), QPoint(x + 1, y + 1));
    QTest::mouseMove(frame->view(), QPoint(x, y));
  }

  // The action of a menu entry by its text, or null.
  QAction* menuAction(const char* text) const {
    for (QAction* m : frame->menuBar()->actions()) {
      if (!m->menu()) continue;
      for (QAction* a : m->menu()->actions()) {
        if (a->text() == QString::fromLatin1(text)) return a;
      }
    }
    return nullptr;
  }
};

}  // namespace kest
