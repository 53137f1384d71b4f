#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

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

// Whether the desktop has a web browser to open a page in: $BROWSER, or xdg-open with a
// program registered for HTML pages.
bool haveWebBrowser();

// The built-in help window, for a desktop without a browser: Qt's text browser on page, its
// links (to the page's anchors and the pages beside it) and images working, links to the web
// handed to the desktop. One window, shown again and raised by each call, wholly on the screen
// of the window it was asked from; Escape closes it.
QWidget* showHelpWindow(const QString& page);

}  // namespace qrn::platform
