// The window driven by real Qt events on the offscreen platform.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "commands/con_sub_commands.h"
#include "commands/file_commands.h"
#include "commands/foreign_open.h"
#include "commands/message_view.h"
#include "commands/panel_commands.h"
#include "commands/toolbar_commands.h"
#include "core/algebra_store.h"
#include "draw/qpainter_canvas.h"
#include "terms/formulas.h"
#include "terms/term_parse.h"
#include "tests/ui/window_fixture.h"
#include "ui/kest_view.h"
#include "ui/main_frame.h"

namespace kest {

class WindowTest : public QObject, public WindowFixture {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(openWindow()); }

  void cleanup() { closeWindow(); }

  void toolbarHasTheButtonsInOrder() {
    const auto actions = frame->toolbar()->actions();
    int buttons = 0;
    int separators = 0;
    for (QAction* a : actions) (a->isSeparator() ? separators : buttons)++;
    QCOMPARE(buttons, 32);
    // The lattice buttons come after fr2, the last button before them.
    QCOMPARE(actions.back()->data().toInt(), kCommandComputedLatticePage);
    QCOMPARE(actions[actions.size() - 2]->data().toInt(), kCommandSubuniverseLattice);
    QCOMPARE(actions[actions.size() - 3]->data().toInt(), kCommandCongruenceLattice);
    QCOMPARE(separators, 5);
    QCOMPARE(frame->action(32778)->toolTip(), QStringLiteral(" Product of two algebras"));
    QVERIFY(frame->action(kCommandHelp)->isCheckable());
    QCOMPARE(frame->action(kCommandSaveAs)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
  }

  void signatureAlgebraAndMarks() {
    QVERIFY(ws->panel.open);
    type("+ci .ci");
    QVERIFY(!ws->panel.open);
    QCOMPARE(ws->sig.latticeSignature, 1);
    frame->action(kCommandNewAlgebra)->trigger();
    QVERIFY(ws->panel.open);
    QCOMPARE(ws->panel.labels[0].text, std::string("Define new algebra"));
    type("4");
    QCOMPARE(ws->algebraCount(), 1);
    frame->action(kCommandNewAlgebra)->trigger();
    type("2");
    // The second algebra's box starts right of the first one.
    const Algebra& second = ws->algebra(1);
    point(second.x + 5, second.y + 5);
    QTest::mouseClick(frame->view(), Qt::LeftButton, {}, QPoint(second.x + 5, second.y + 5));
    QCOMPARE(ws->redMarked, 1);
    point(ws->algebra(0).x + 5, ws->algebra(0).y + 5);
    QTest::mouseClick(frame->view(), Qt::RightButton, {}, QPoint(ws->algebra(0).x + 5, ws->algebra(0).y + 5));
    QCOMPARE(ws->greenMarked, 0);
  }

  void keysOverCellsAndTopFields() {
    type(".");
    frame->action(kCommandNewAlgebra)->trigger();
    type("2");
    const Algebra& a = ws->algebra(0);
    // Cell (a, b) of the table: row a, column b.
    point(a.x + 26 + 16 + 3, a.y + 37 + 3);
    QTest::keyClick(frame->view(), 'b');
    QCOMPARE(ws->algebra(0).table[1], 1);
    point(a.x + 5, a.y + 5);
    QTest::keyClick(frame->view(), 'C');
    QCOMPARE(ws->algebraCount(), 2);
    QTest::keyClick(frame->view(), 'y');
    QCOMPARE(ws->algebraCount(), 3);
    QCOMPARE(ws->algebra(2).card, 3);
    point(ws->algebra(2).x + 5, ws->algebra(2).y + 5);
    QTest::keyClick(frame->view(), 'h');
    QCOMPARE(ws->algebra(2).displayed, 0);
    point(ws->algebra(0).x + 5, ws->algebra(0).y + 5);
    QTest::keyClick(frame->view(), 'd');
    QCOMPARE(ws->algebraCount(), 2);
  }

  // The pentagon from its order, drawn, relaxed with the space bar, a
  // vertex dragged, and its self-duality shown.
  void latticeDrawingFromTheToolbar() {
    type("L");
    frame->action(kCommandNewAlgebra)->trigger();
    type("5");
    frame->action(kCommandLattice)->trigger();
    type("abe acde");
    QCOMPARE(ws->algebra(0).table[2 * 5 + 1], 4);  // c + b = e
    frame->action(kCommandDrawLattice)->trigger();
    QVERIFY(frame->action(kCommandDrawLattice)->isChecked());
    frame->view()->QWidget::repaint();
    QVERIFY(ws->algebra(0).hasLatticeCoordinates());
    QCOMPARE(ws->algebra(0).latticeX[1], 1100);
    for (int i = 0; i < 20; ++i) QTest::keyClick(frame->view(), Qt::Key_Space);
    QCOMPARE(ws->algebra(0).latticeX[0], 1500);  // the bottom stays
    QTest::mousePress(frame->view(), Qt::LeftButton, {}, QPoint(250, 100));
    QTest::mouseRelease(frame->view(), Qt::LeftButton, {}, QPoint(200, 100));
    QCOMPARE(ws->algebra(0).latticeX[4], 1000);  // the top moved sideways
    frame->action(kCommandDrawLattice)->trigger();
    frame->action(kCommandDrawEmbedding)->trigger();
    QVERIFY(frame->action(kCommandDrawEmbedding)->isChecked());
    frame->view()->QWidget::repaint();
  }

  void helpTogglesAndScrolls() {
    type(".");
    frame->action(kCommandHelp)->trigger();
    QVERIFY(ws->helpShown);
    QVERIFY(frame->action(kCommandHelp)->isChecked());
    QTest::keyClick(frame->view(), Qt::Key_Down);
    QCOMPARE(ws->helpScrollY, 300);
    QTest::keyClick(frame->view(), Qt::Key_Up);
    QTest::keyClick(frame->view(), Qt::Key_Up);
    QCOMPARE(ws->helpScrollY, 0);
    frame->action(kCommandHelp)->trigger();
    QVERIFY(!ws->helpShown);
    QVERIFY(!frame->action(kCommandHelp)->isChecked());
  }

  void theFontAdvancesSevenUnitsACharacter() {
    QCOMPARE(qRound(QFontMetricsF(viewFont()).horizontalAdvance(QStringLiteral("MMMMMMMMMM")) * 10), 700);
    QCOMPARE(qRound(QFontMetricsF(viewFont()).horizontalAdvance(QStringLiteral("i.i.i.i.i.")) * 10), 700);
  }

  void ctrlNClearsEverythingButTheSignature() {
    type("+ci .ci");
    frame->action(kCommandNewAlgebra)->trigger();
    type("3");
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(ws->algebraCount(), 0);
    QCOMPARE(ws->sig.latticeSignature, 1);
    QVERIFY(!ws->panel.open);
  }

  void longSatisfactionCheckCanBeCancelled() {
    type(".");
    const int32_t k = createAlgebra(*ws, 300);
    std::fill(ws->algebra(k).table.begin(), ws->algebra(k).table.end(), 0);
    const EquationSides s = parseEquation(*ws, "(xy)(zu)=(x(yz))u");
    addEquation(*ws, s.left, s.right);
    relayout(*ws);
    // 8.1 billion assignments: far longer than the test waits.
    point(ws->algebra(k).x + 5, ws->algebra(k).y + 5);
    bool sawDialog = false;
    QTimer::singleShot(1500, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QProgressDialog*>(w); dialog && dialog->isVisible()) {
          sawDialog = true;
          dialog->cancel();
        }
      }
    });
    QTest::keyClick(frame->view(), 's');
    QVERIFY(sawDialog);
    QCOMPARE(ws->messages.lines(), std::vector<std::string>{"Interrupted"});
    QCOMPARE(ws->terms.formulaListCount(), 1);
  }

  // The progress window names the task, shows the figures the command
  // reports, ignores Enter and stops at Escape.
  void progressWindowNamesTheTaskAndOnlyEscapeCancels() {
    type(". -");
    const int32_t k = createAlgebra(*ws, 2000);
    for (int32_t x = 0; x < 2000; ++x) {
      for (int32_t y = 0; y < 2000; ++y)
        ws->algebra(k).table[static_cast<size_t>(x) * 2000 + y] = (2 * x + y + 1) % 2000;
      ws->algebra(k).table[static_cast<size_t>(2000) * 2000 + x] = (x + 1) % 2000;
    }
    relayout(*ws);
    point(ws->algebra(k).x + 5, ws->algebra(k).y + 5);
    QString label;
    bool runningAfterEnter = false;
    QTimer::singleShot(1500, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QProgressDialog*>(w);
        if (!dialog || !dialog->isVisible()) continue;
        QTest::keyClick(dialog, Qt::Key_Return);
        QTest::keyClick(dialog, Qt::Key_Enter);
        QTest::qWait(400);
        runningAfterEnter = dialog->isVisible() && !dialog->wasCanceled();
        // The first figures come with the first poll, later under the sanitizers.
        for (int wait = 0; wait < 100 && !dialog->labelText().contains(QStringLiteral("pairs")); ++wait)
          QTest::qWait(100);
        label = dialog->labelText();
        QTest::keyClick(dialog, Qt::Key_Escape);
      }
    });
    QTest::keyClick(frame->view(), 'a');
    QVERIFY(runningAfterEnter);
    QVERIFY2(label.startsWith(QStringLiteral("Abelianness of A0\n")), qPrintable(label));
    QVERIFY2(label.contains(QStringLiteral("pairs")), qPrintable(label));
    QCOMPARE(ws->messages.lines(), std::vector<std::string>{"Interrupted"});
  }

  // Clicking toolbar buttons before the signature is entered keeps the
  // prompt; Help still opens; the signature typed afterwards holds.
  void theSignaturePromptOutlivesToolbarClicks() {
    QVERIFY(awaitingSignature(*ws));
    for (int id : {kCommandNewAlgebra, kCommandProduct, kCommandNew, kCommandLinear, kCommandTermOrEquation,
                   kCommandNotation, kCommandFreeInHsp, kCommandEmbed}) {
      frame->action(id)->trigger();
      QVERIFY2(awaitingSignature(*ws), qPrintable(QString::number(id)));
    }
    QCOMPARE(ws->panel.labels[0].text, std::string("First define the signature. It will then remain fixed."));
    QCOMPARE(ws->polishNotation, 0);
    frame->action(kCommandHelp)->trigger();
    QCOMPARE(ws->helpShown, 1);
    frame->action(kCommandHelp)->trigger();
    type("+ci .ci");
    QVERIFY(!ws->panel.open);
    QCOMPARE(ws->sig.latticeSignature, 1);
    frame->action(kCommandNewAlgebra)->trigger();
    QVERIFY(ws->panel.open);
  }

  // A report to the right of a wide algebra scrolls into view; one that
  // is already in view leaves the scroll alone.
  void messagesBeyondTheEdgeComeIntoView() {
    type(".");
    frame->action(kCommandNewAlgebra)->trigger();
    type("3");
    point(ws->algebra(0).x + 5, ws->algebra(0).y + 5);
    QTest::keyClick(frame->view(), 'i');  // incomplete: a one-line refusal
    QCOMPARE(ws->messages.count(), 1);
    QCOMPARE(ws->pageScrollX, 0);
    QCOMPARE(ws->pageScrollY, 0);
    for (int i = 0; i < 2; ++i) {
      frame->action(kCommandNewAlgebra)->trigger();
      type("62");
    }
    QVERIFY(ws->messageX > frame->view()->width());
    point(ws->algebra(0).x + 5, ws->algebra(0).y + 5);
    QTest::keyClick(frame->view(), 'i');  // incomplete: a one-line refusal
    QVERIFY(ws->pageScrollX > 0);
    QVERIFY(firstMessageVisible(*ws, frame->view()->width(), frame->view()->height()));
  }

  void congruenceLatticeFromTheToolbar() {
    type("+ -");
    frame->action(kCommandNewAlgebra)->trigger();
    type("6");
    frame->action(kCommandLinear)->trigger();
    type("+ 1 1 0");
    point(ws->algebra(0).x + 26 + 16 + 3, ws->algebra(0).y + 37 + 16 * 6 + 16 + 3);
    frame->action(kCommandCongruenceLattice)->trigger();
    QCOMPARE(ws->panel.fields[0].text, std::string("100000"));
    type("");
    QCOMPARE(ws->messages.lines().front(), std::string("Works for complete algebras only"));
    ws->algebra(0).table[36] = 0;
    for (int32_t x = 1; x < 6; ++x) ws->algebra(0).table[static_cast<size_t>(36 + x)] = 6 - x;
    frame->action(kCommandCongruenceLattice)->trigger();
    type("");
    QCOMPARE(ws->messages.lines().front(), std::string("Con(A0) has 4 congruences, 2 join irreducible"));
    frame->action(kCommandSubuniverseLattice)->trigger();
    type("");
    QCOMPARE(ws->messages.lines().front(), std::string("Sub(A0) has 5 subuniverses, 3 join irreducible"));
  }

  // A report whose first line starts inside the window but runs far past
  // its right edge was left where it was, mostly unseen.
  void aWideReportScrollsToItsStart() {
    type(".");
    for (int i = 0; i < 4; ++i) {
      frame->action(kCommandNewAlgebra)->trigger();
      type("12");
    }
    QVERIFY(ws->messageX < frame->view()->width() - 100);
    QVERIFY(ws->messageX > 100);
    frame->view()->runCommand([&](Progress&) {
      ws->messages.setMessage(std::string(400, 'x'));
      return Repaint::whole();
    });
    QCOMPARE(ws->pageScrollX, ws->messageX - 18);
  }

  // While a long command runs the window shows the page as it was; the
  // panel whose Enter started the command stayed painted in it.
  void thePictureOfALongCommandLeavesThePanelOut() {
    type(".");
    // A partial left-zero band under associativity: the free algebra over
    // it takes far longer than the test waits.
    const int32_t k = createAlgebra(*ws, 3000);
    for (int32_t x = 0; x < 3000; ++x) {
      for (int32_t y = 0; y < 3000; ++y) ws->algebra(k).table[static_cast<size_t>(x) * 3000 + y] = x;
    }
    ws->algebra(k).table[0] = -1;
    const EquationSides s = parseEquation(*ws, "(xy)z=x(yz)");
    addEquation(*ws, s.left, s.right);
    relayout(*ws);
    frame->action(kCommandFreeOverPartial)->trigger();
    QVERIFY(ws->panel.open);
    QTest::keyClick(frame->view(), Qt::Key_Tab);  // empties the field
    QTest::keyClicks(frame->view(), QStringLiteral("2147483647"));
    const Rect panel = ws->panel.rect;
    QRgb inside = 0;
    bool sawDialog = false;
    QTimer::singleShot(1000, [&] {
      inside = frame->view()->busyPicture().toImage().pixel(panel.left + 4, panel.top + 4);
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QProgressDialog*>(w); dialog && dialog->isVisible()) {
          sawDialog = true;
          dialog->cancel();
        }
      }
    });
    type("");
    QVERIFY(sawDialog);
    QCOMPARE(inside, QColor(Qt::white).rgb());
  }
};

int runWindowTests(int argc, char** argv) {
  WindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace kest

#include "window_test.moc"
