// The window's menus beyond the toolbar: the page of the last Con or Sub
// list from the Lattices menu (fitting the view, zoomed and scrolled by
// wheel and keys), and the Conditions menu with its panels.
#include <QApplication>
#include <QWheelEvent>

#include "commands/command_ids.h"
#include "commands/computed_lattice_page.h"
#include "tests/ui/window_fixture.h"

namespace kest {

class WindowMenusTest : public QObject, public WindowFixture {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(openWindow()); }
  void cleanup() { closeWindow(); }

  void showDiagramFromTheLatticesMenu() {
    type("+");
    frame->action(kCommandNewAlgebra)->trigger();
    type("6");
    frame->action(kCommandLinear)->trigger();
    type("+ 1 1 0");
    frame->action(kCommandCongruenceLattice)->trigger();
    type("");
    QCOMPARE(ws->messages.lines().front(), std::string("Con(A0) has 4 congruences, 2 join irreducible"));
    // The Lattices menu shows its diagram (Ctrl+D), which fits the view.
    QAction* show = menuAction("Show &diagram");
    QVERIFY(show);
    QCOMPARE(show->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    QVERIFY(menuAction("Save &list as..."));
    show->trigger();
    QCOMPARE(ws->computedLatticeShown, 1);
    QVERIFY(frame->action(kCommandComputedLatticePage)->isChecked());
    QCOMPARE(ws->viewWidth, frame->view()->width());
    QCOMPARE(ws->viewHeight, frame->view()->height());
    // Ctrl and the wheel zoom it; keys zoom and scroll.
    QWheelEvent wheel(QPointF(200, 200), frame->view()->mapToGlobal(QPointF(200, 200)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(frame->view(), &wheel);
    QVERIFY(ws->lastLattice.diagram->zoom > 1.2);
    QTest::keyClick(frame->view(), Qt::Key_Minus);
    QTest::keyClick(frame->view(), Qt::Key_Minus);
    QVERIFY(ws->lastLattice.diagram->zoom < 1.0);
  }

  // The Conditions menu: an entry without K reports at once, one with K
  // opens its panel with the default typed in.
  void maltsevConditionsFromTheMenu() {
    type("+");
    frame->action(kCommandNewAlgebra)->trigger();
    type("3");
    frame->action(kCommandLinear)->trigger();
    type("+ 1 1 0");
    QAction* maltsev = menuAction("&Maltsev term (congruence permutable)");
    QVERIFY(maltsev);
    maltsev->trigger();
    QCOMPARE(ws->messages.lines().front(), std::string("A0 has a Maltsev term"));
    menuAction("&n-permutable...")->trigger();
    QVERIFY(ws->panel.open);
    QCOMPARE(ws->panel.fields[0].text, std::string("10"));
    type("");
    QCOMPARE(ws->messages.lines().front(), std::string("A0 is 2-permutable"));
  }
};

int runWindowMenusTests(int argc, char** argv) {
  WindowMenusTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace kest

#include "window_menus_test.moc"
