// SPDX-License-Identifier: MIT
#include "app/searchcompleter.h"

#include "store/completionmodel.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>

SearchCompleter::SearchCompleter(QLineEdit *box, SpellingSuggester::Checker checker)
    : QObject(box)
    , box(box)
    , checker(checker)
{
    // textEdited comes from the user's typing only, not from setText.
    connect(box, &QLineEdit::textEdited, this, &SearchCompleter::offerFor);
}

void SearchCompleter::createCompleter()
{
    offers = new CompletionModel(this, checker);
    popupCompleter = new QCompleter(offers, this);
    // The model offers exactly what is to be shown, in its order.
    popupCompleter->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    popupCompleter->setMaxVisibleItems(CompletionModel::maxOffers);
    popupCompleter->setWidget(box);
    connect(popupCompleter, qOverload<const QString &>(&QCompleter::activated), this, &SearchCompleter::choose);
    // Installed after the completer's own filter, so it sees the keys first.
    popupCompleter->popup()->installEventFilter(this);
}

void SearchCompleter::offerFor(const QString &text)
{
    if (!popupCompleter)
        createCompleter();
    offers->setText(text);
    QAbstractItemView *popup = popupCompleter->popup();
    if (offers->offers().isEmpty()) {
        popup->hide();
        return;
    }
    // A window kept above the others would hide a popup that is not. New
    // flags hide a shown popup: set them only when they change.
    const bool onTop = box->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (popup->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        popup->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    popupCompleter->complete();
    // Nothing is chosen until the user moves to an offer.
    popup->setCurrentIndex(QModelIndex());
}

void SearchCompleter::choose(const QString &word)
{
    box->setText(word);
    emit searchRequested();
}

bool SearchCompleter::eventFilter(QObject *watched, QEvent *event)
{
    const bool override = event->type() == QEvent::ShortcutOverride;
    if ((!override && event->type() != QEvent::KeyPress) || watched != popupCompleter->popup())
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    // Over the offers, Return is the popup's: the search button's shortcut
    // must not take it first.
    if (override) {
        event->accept();
        return true;
    }
    if (popupCompleter->popup()->currentIndex().isValid())
        return false;
    popupCompleter->popup()->hide();
    emit searchRequested();
    return true;
}
