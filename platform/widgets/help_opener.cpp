#include "platform/widgets/help_opener.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>

#include "platform/widgets/screen_fit.h"

namespace qrn::platform {

namespace {

QString quoted(const QString& text) {
    return QStringLiteral("« %1 »").arg(text);
}

}  // namespace

QString findHelpViewer() {
    for (const QString& name : {QStringLiteral("kchmviewer"), QStringLiteral("xchm")}) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty()) return program;
    }
    return {};
}

HelpPlan planHelp(const QString& helpFile, const QString& topic, const ViewerFinder& findViewer) {
    HelpPlan plan;
    const QFileInfo chm(helpFile);
    const QString page = chm.absoluteDir().filePath(topic);
    if (!helpFile.isEmpty() && chm.isFile()) {
        const QString viewer = findViewer();
        if (!viewer.isEmpty()) {
            plan.kind = HelpPlan::Kind::Viewer;
            plan.program = viewer;
            // The viewers differ in how a topic is named on their command line; the file
            // alone opens at its default topic, which our help file's is.
            plan.arguments = {chm.absoluteFilePath()};
            plan.message = QStringLiteral("Impossible de lancer la visionneuse d'aide %1.")
                               .arg(quoted(viewer));
            return plan;
        }
    }
    if (QFileInfo(page).isFile()) {
        plan.kind = HelpPlan::Kind::Page;
        plan.page = page;
        plan.message = QStringLiteral("Impossible d'ouvrir la page d'aide %1 dans le navigateur.")
                           .arg(quoted(page));
        return plan;
    }
    plan.message =
        QStringLiteral("L'aide est introuvable : elle a été cherchée dans %1 et dans %2.")
            .arg(quoted(helpFile), quoted(page));
    return plan;
}

bool haveWebBrowser() {
    if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) return false;
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    return query.waitForFinished(3000) && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

QWidget* showHelpWindow(const QString& page) {
    static QPointer<QTextBrowser> window;
    if (!window) {
        window = new QTextBrowser;
        window->setObjectName(QStringLiteral("HelpWindow"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QStringLiteral("Aide"));
        window->setAccessibleName(QStringLiteral("Aide"));
        window->setOpenExternalLinks(true);
        window->resize(760, 640);
        platform::keepOnScreen(*window);
        auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        QObject::connect(close, &QShortcut::activated, window, &QWidget::close);
        QObject::connect(window, &QTextBrowser::sourceChanged, window, [] {
            if (!window->documentTitle().isEmpty()) window->setWindowTitle(window->documentTitle());
        });
    }
    window->setSource(QUrl::fromLocalFile(page));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace qrn::platform
