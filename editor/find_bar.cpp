#include "editor/find_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

#include "core/row_find.h"

namespace qrn {

namespace {

QToolButton* tool(const char* name, const QString& label, const QString& tip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(label);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    return button;
}

}  // namespace

FindBar::FindBar(const PlacementList& list, QWidget* parent) : QWidget(parent), list_(list) {
    setObjectName(QStringLiteral("FindBar"));
    auto* caption = new QLabel(QStringLiteral("Rechercher :"), this);
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("FindText"));
    field_->setAccessibleName(QStringLiteral("Rechercher"));
    field_->setClearButtonEnabled(true);
    caption->setBuddy(field_);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("FindCount"));
    QToolButton* previous =
        tool("FindPrevious", QStringLiteral("▲"), QStringLiteral("Précédent (Maj+F3)"), this);
    QToolButton* next = tool("FindNext", QStringLiteral("▼"), QStringLiteral("Suivant (F3)"), this);
    QToolButton* close = tool("FindClose", QStringLiteral("✕"), QStringLiteral("Fermer"), this);
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(caption);
    line->addWidget(field_, 1);
    line->addWidget(count_);
    line->addWidget(previous);
    line->addWidget(next);
    line->addWidget(close);

    connect(field_, &QLineEdit::textChanged, this, &FindBar::count);
    connect(field_, &QLineEdit::returnPressed, this, [this] { step(true); });
    connect(next, &QToolButton::clicked, this, [this] { step(true); });
    connect(previous, &QToolButton::clicked, this, [this] { step(false); });
    connect(close, &QToolButton::clicked, this, &FindBar::dismiss);
    // F3 wherever the focus is while the bar shows; Escape from the bar itself.
    const auto key = [this](QKeySequence keys, Qt::ShortcutContext context, auto slot) {
        auto* shortcut = new QShortcut(keys, this, slot);
        shortcut->setContext(context);
    };
    key(QKeySequence(Qt::Key_F3), Qt::WindowShortcut, [this] { step(true); });
    key(QKeySequence(Qt::SHIFT | Qt::Key_F3), Qt::WindowShortcut, [this] { step(false); });
    key(QKeySequence(Qt::Key_Escape), Qt::WidgetWithChildrenShortcut, [this] { dismiss(); });
    hide();
}

void FindBar::open() {
    show();
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
    count();
}

void FindBar::dismiss() {
    hide();
    emit closed();
}

void FindBar::count() {
    showCount(RowFinder(list_, field_->text().toStdU16String()));
}

void FindBar::showCount(const RowFinder& finder) {
    if (field_->text().isEmpty()) {
        count_->clear();
        return;
    }
    const int n = finder.count();
    count_->setText(n <= 1 ? QStringLiteral("%1 résultat").arg(n)
                           : QStringLiteral("%1 résultats").arg(n));
}

void FindBar::step(bool forward) {
    const RowFinder finder(list_, field_->text().toStdU16String());
    showCount(finder);
    const int from = list_.selected().value_or(0);
    if (const std::optional<int> match = forward ? finder.next(from) : finder.previous(from))
        emit found(*match);
}

}  // namespace qrn
