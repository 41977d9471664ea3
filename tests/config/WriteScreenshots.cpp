// Renders what writing the device looks like to PNG files, offscreen:
//
//   QT_QPA_PLATFORM=offscreen build/bin/navoro_write_screenshots [OUTDIR]
//
// OUTDIR defaults to build/screenshots. The window runs in demo mode against
// navoro-sim (beside the program). Pictures: the maintenance dialog in both
// modes; a refused AIS MOB list (the message over the window, the offending
// cell selected); the waiting window part way through a destination write,
// the note that says it was written, and the destination tab read back after it.
#include <QAction>
#include <QMessageBox>
#include <QPainter>
#include <QTabWidget>

#include "config/Configuration.h"
#include "config/MaintenanceDialog.h"
#include "tests/config/DemoScreenshots.h"
#include "tests/config/TabPages.h"

namespace {

using navoro::test::SavePicture;
using navoro::test::SaveWidget;

// The main window with another window drawn over its centre, as the screen
// shows them; the other window gets a plain title bar with its title (the
// offscreen platform draws no window frames).
QPixmap Over(QWidget* main, QWidget* top) {
    QApplication::processEvents();
    QPixmap picture = main->grab();
    const QPixmap above = top->grab();
    constexpr int kTitleBar = 24;
    const int x = (picture.width() - above.width()) / 2;
    const int y = (picture.height() - above.height() + kTitleBar) / 2;
    QPainter painter(&picture);
    const QRect bar(x, y - kTitleBar, above.width(), kTitleBar);
    painter.fillRect(bar, QColor(0x3c, 0x5a, 0x82));
    painter.setPen(Qt::white);
    painter.drawText(bar.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     top->windowTitle());
    painter.drawPixmap(x, y, above);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawRect(x, y - kTitleBar, above.width() - 1, above.height() + kTitleBar - 1);
    return picture;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString outDir = navoro::test::DemoWindow::OutputFolder(argc, argv);
    navoro::test::DemoWindow demo;
    if (!demo.Connect()) return 1;
    navoro::MainWindow& form = *demo.form;
    navoro::ScriptedPrompts& prompts = demo.prompts;
    navoro::Configuration& config = form.configuration();
    (void)QTest::qWaitFor([&config] { return !config.ProgressActive(); }, 3000);
    navoro::ConfigPages pages = navoro::PagesOf(config);
    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("PageControlConf"));
    bool ok = true;

    // The maintenance dialog: the prompt, then a serial number typed.
    navoro::MaintenanceDialog* dialog = form.maintenance();
    form.findChild<QAction*>(QStringLiteral("mnuFactoryRestore"))->trigger();
    ok &= SavePicture(Over(&form, dialog), outDir + "/write-maintenance-restore.png");
    dialog->close();
    form.findChild<QAction*>(QStringLiteral("mnuSerialNumberSentence"))->trigger();
    QTest::keyClicks(dialog->EditVerifyPassword, QStringLiteral("LMO2403A00418"));
    ok &= SaveWidget(dialog, outDir + "/write-maintenance-serial.png");
    dialog->close();

    // A refused AIS MOB list: row 3 repeats row 1's MMSI.
    tabs->setCurrentWidget(form.findChild<QWidget*>(QStringLiteral("TabSheetMOB")));
    QTableWidget* mob = pages.Mob.StringGrid_MOBList;
    (void)QTest::qWaitFor([&] { return !config.ProgressActive() && mob->item(2, 2)->text() != ""; },
                          6000);
    mob->item(3, 1)->setText(mob->item(1, 1)->text());
    mob->item(3, 2)->setText(QStringLiteral("SPARE BUOY"));
    prompts.OnCall = [&](const navoro::PromptCall& call) {
        if (call.Kind != navoro::PromptKind::Message) return;
        QMessageBox box(QMessageBox::Warning, QString::fromStdString(call.Title),
                        QString::fromStdString(call.Text), QMessageBox::Ok, &form);
        box.show();
        ok &= SavePicture(Over(&form, &box), outDir + "/write-refused-mob.png");
    };
    prompts.Answers = {true};
    config.WriteVisibleTab();

    // A destination write, part way, then its tab read back.
    tabs->setCurrentWidget(form.findChild<QWidget*>(QStringLiteral("TabSheetDestination")));
    QTableWidget* des = pages.Destination.StringGrid_Destination;
    (void)QTest::qWaitFor([&] { return !config.ProgressActive(); }, 3000);
    des->item(5, 1)->setText(QStringLiteral("KIEL HOLTENAU"));
    int waits = 0;
    prompts.OnCall = [&](const navoro::PromptCall& call) {
        if (call.Kind == navoro::PromptKind::Sleep && ++waits == 6)
            ok &= SavePicture(Over(&form, form.waitingWindow()), outDir + "/write-waiting.png");
    };
    prompts.Answers = {true};
    config.WriteVisibleTab();
    prompts.OnCall = nullptr;
    ok &= SaveWidget(&form, outDir + "/write-note.png");
    des->item(5, 1)->setText(QString());
    config.ReadVisibleTab();
    (void)QTest::qWaitFor([&] { return !config.ProgressActive(); }, 3000);
    ok &= SaveWidget(&form, outDir + "/write-destination-read-back.png");
    return ok ? 0 : 1;
}
