#include "editor/window_state.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QSplitter>
#include <QTreeView>

#include "base/errors.h"
#include "editor/settings.h"

namespace qrn {

namespace {

QSplitter* splitterOf(const QMainWindow& window) {
    return window.findChild<QSplitter*>(QStringLiteral("ListMapSplitter"));
}

QHeaderView* columnsOf(const QMainWindow& window) {
    auto* list = window.findChild<QTreeView*>(QStringLiteral("ListView1"));
    return list != nullptr ? list->header() : nullptr;
}

QByteArray stored(const SettingValue& setting, platform::Settings& settings) {
    return QByteArray::fromBase64(QString::fromStdU16String(setting.get(settings)).toLatin1());
}

std::u16string encoded(const QByteArray& state) {
    return QString::fromLatin1(state.toBase64()).toStdU16String();
}

}  // namespace

void restoreWindowState(QMainWindow& window, platform::Settings& settings) {
    const QStringList size =
        QString::fromStdU16String(kWindowSizeSetting.get(settings)).split(u'x');
    bool wide = false, tall = false;
    const int width = size.value(0).toInt(&wide), height = size.value(1).toInt(&tall);
    if (wide && tall && width > 0 && height > 0) window.resize(width, height);
    if (QSplitter* splitter = splitterOf(window))
        splitter->restoreState(stored(kSplitterSetting, settings));
    if (QHeaderView* columns = columnsOf(window))
        columns->restoreState(stored(kColumnsSetting, settings));
}

void keepWindowState(const QMainWindow& window, platform::Settings& settings) {
    try {
        kWindowSizeSetting.set(
            settings,
            QStringLiteral("%1x%2").arg(window.width()).arg(window.height()).toStdU16String());
        if (QSplitter* splitter = splitterOf(window))
            kSplitterSetting.set(settings, encoded(splitter->saveState()));
        if (QHeaderView* columns = columnsOf(window))
            kColumnsSetting.set(settings, encoded(columns->saveState()));
    } catch (const Error&) {
        // The next window opens at its first size: nothing of the plan is lost.
    }
}

}  // namespace qrn
