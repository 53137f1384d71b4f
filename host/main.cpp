// qrnhost: a small stand-in for the map editor that hosts the plug-in. It finds the plug-in
// (libQRNPlg.so; on Windows the COM class QRNPlg.Plg), registers it when needed, places one
// control in its window and runs the message loop that serves the editor windows the control
// opens.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QVBoxLayout>
#include <cstdio>
#include <filesystem>

#include "base/text.h"
#include "base/version.h"
#include "host/control_placement.h"
#include "platform/platform.h"
#include "platform/qt/file_size_signal.h"
#include "platform/qt/qt_translations.h"
#include "platform/widgets/app_icon.h"

namespace {

#ifdef Q_OS_WIN
// Windows always has its desktop.
bool haveDisplay() {
    return true;
}

// The plans named on the command line (read in UTF-16 by Qt), each with its folder, in the
// system's own form (C:\...\plan.qrn).
QStringList plansNamed(int, char*[]) {
    QStringList plans;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        plans << QDir::toNativeSeparators(QFileInfo(arguments[i]).absoluteFilePath());
    return plans;
}
#else
// A windowing system to show windows on: an X or Wayland display, or a platform asked for.
bool haveDisplay() {
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
           qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

// The plans named on the command line, each with its folder: the names' own bytes, as the
// plug-in reads file names (see decodeFileName).
QStringList plansNamed(int argc, char* argv[]) {
    QStringList plans;
    std::u16string folder;
    for (int i = 1; i < argc; ++i) {
        std::u16string name = qrn::decodeFileName(argv[i]);
        if (!name.empty() && name.front() != u'/') {
            if (folder.empty())
                folder = qrn::decodeFileName(std::filesystem::current_path().native());
            name = qrn::platform::joinPath(folder, name);
        }
        plans << QString::fromStdU16String(name);
    }
    return plans;
}
#endif

}  // namespace

int main(int argc, char* argv[]) {
    // The host owns its process: a file size limit makes a write fail with EFBIG, which the
    // plug-in reports like a full disk, instead of SIGXFSZ ending every window at once.
    qrn::platform::ignoreFileSizeSignal();
    if (!haveDisplay()) {
        std::fputs(
            "qrnhost : aucun affichage (ni DISPLAY ni WAYLAND_DISPLAY) ; sans fenêtre, essayez "
            "« qrnplan --help ».\n",
            stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qrnhost"));
    QApplication::setApplicationVersion(QStringLiteral(QRN_VERSION));
    // The desktop entry's name, so that Wayland compositors match the window with its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.qrnplg.QRNPlg"));
    // Every window gets it, the editor windows the plug-in opens included.
    QApplication::setWindowIcon(qrn::platform::applicationIcon());
    qrn::platform::installQtTranslations();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("MXB Editor (hôte QRNPlg)"));
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    window.setCentralWidget(central);

    QString error;
    QWidget* control = qrn::host::placeControl(central, error);
    if (control == nullptr) {
        layout->addWidget(new QLabel(error, central));
    } else {
        control->setFixedSize(96, 96);
        layout->addWidget(control, 0, Qt::AlignCenter);
    }
    if (control == nullptr) std::fprintf(stderr, "qrnhost : le plugin n'a pas pu être placé.\n");

    window.resize(240, 160);
    window.show();
    // Plans given by the file manager or the command line open once the host is up.
    const QStringList plans = plansNamed(argc, argv);
    if (control && !plans.isEmpty() &&
        !QMetaObject::invokeMethod(control, "openPlans", Q_ARG(QStringList, plans)))
        std::fprintf(stderr, "qrnhost : ce plugin n'ouvre pas de plan donné en argument.\n");
    return QApplication::exec();
}
