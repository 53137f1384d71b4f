#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace qrn::platform {

// How the help is shown: the compiled help file in a viewer when one is installed, else the
// topic's HTML page beside the help file in the desktop's browser.
struct HelpPlan {
    enum class Kind { Viewer, Page, Missing };
    Kind kind = Kind::Missing;
    QString program;  // Viewer: the viewer to start with arguments
    QStringList arguments;
    QString page;     // Page: the HTML page to open
    QString message;  // what to tell the user when the chosen way fails (or for Missing)
};

// Finds an installed compiled-help viewer; empty when there is none.
using ViewerFinder = std::function<QString()>;
QString findHelpViewer();

HelpPlan planHelp(const QString& helpFile, const QString& topic, const ViewerFinder& findViewer);

}  // namespace qrn::platform
