// The window and files: opening files of other tools through their mapping
// panel, and exporting the page as a picture, driven by real Qt events.
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

class WindowFilesTest : public QObject, public WindowFixture {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(openWindow()); }

  void cleanup() { closeWindow(); }

  // Open of a .ua file: the panel shows the mapping, Enter opens with it.
  void foreignFilesOpenWithTheConfirmedMapping() {
    type("+ci .ci");
    const std::string path = std::string(KEST_TEST_DATA) + "/m3.ua";
    frame->openPath(path);
    QCOMPARE(ws->panel.fields[0].text, std::string("join=+ meet=."));
    for (int i = 0; i < 13; ++i) QTest::keyClick(frame->view(), Qt::Key_Backspace);
    type("meet=+ join=.");
    QCOMPARE(ws->algebraCount(), 1);
    QCOMPARE(ws->algebra(0).table[1 * 5 + 2], 0);  // + is now meet: atoms meet in the bottom
    QCOMPARE(ws->messages.lines().front(), "Read A0 (m3, 5 elements) from " + path);
  }

  // Opening a .ua file before the signature once put the mapping panel in
  // place of the signature prompt, and Enter left the signature "." for
  // good. It is refused with the reason; the prompt stays.
  void foreignFileBeforeTheSignatureKeepsThePrompt() {
    frame->openPath(std::string(KEST_TEST_DATA) + "/m3.ua");
    QVERIFY(awaitingSignature(*ws));
    QCOMPARE(ws->panel.labels[0].text, std::string("First define the signature. It will then remain fixed."));
    QCOMPARE(ws->messages.lines().front(),
             "Could not read " + std::string(KEST_TEST_DATA) + "/m3.ua: the signature is not entered yet");
    type("+ci .ci");
    QCOMPARE(ws->sig.latticeSignature, 1);
  }

  // The mapping panel of a file that cannot be read as it stands showed an
  // empty field; it shows the default mapping and why it does not fit,
  // and a file no mapping can read is refused at once.
  void theMappingPanelSaysWhyTheDefaultDoesNotFit() {
    type("+c .");
    frame->openPath(std::string(KEST_TEST_DATA) + "/flags.ua");
    QVERIFY(ws->panel.open);
    QCOMPARE(ws->panel.fields[0].text, std::string("f=+ g=."));
    QCOMPARE(ws->panel.labels.back().text, std::string("As it stands: operation f breaks the commutative flag of +"));
    for (int i = 0; i < 7; ++i) QTest::keyClick(frame->view(), Qt::Key_Backspace);
    type("g=+ f=.");
    QCOMPARE(ws->algebraCount(), 1);
    frame->openPath(std::string(KEST_TEST_DATA) + "/boolean2.ua");
    QVERIFY(!ws->panel.open);
    QCOMPARE(ws->algebraCount(), 1);
    QVERIFY(ws->messages.lines().front().find("it has 1 unary operation") != std::string::npos);
  }

  void exportPictureWritesPngAndSvg() {
    type(".");
    frame->action(kCommandNewAlgebra)->trigger();
    type("3");
    const QString dir =
        QDir::tempPath() + QStringLiteral("/kest-export-") + QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(dir);
    frame->exportPicture(dir + QStringLiteral("/page.png"));
    QImage png(dir + QStringLiteral("/page.png"));
    QCOMPARE(png.size(), frame->view()->size());
    frame->exportPicture(dir + QStringLiteral("/page.svg"));
    QFile svg(dir + QStringLiteral("/page.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));
    frame->exportPicture(dir + QStringLiteral("/no/such/folder/page.png"));
    QCOMPARE(ws->messages.lines().front(),
             "Could not write " + (dir + QStringLiteral("/no/such/folder/page.png")).toStdString());
    QDir(dir).removeRecursively();
  }
};

int runWindowFilesTests(int argc, char** argv) {
  WindowFilesTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace kest

#include "window_files_test.moc"
