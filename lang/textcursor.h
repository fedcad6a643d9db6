#pragma once
// A box text as the analysis reads it: the text and how far it has been consumed. Taking
// a token moves the start forward instead of moving the rest of the text, and the text
// is upper-cased once rather than at every look, so reading a text is linear in its
// length. It offers the few reads the analysis makes of a QString, on the unread rest.

#include <QString>
#include <QStringView>

struct TextCursor {
    QString text;
    qsizetype start = 0;
    // The rest is known to be upper case: nothing needs upper-casing again.
    bool upperCase = false;
    // The token last recognised, at `peekedAt` (-1 for none): the levels of the
    // evaluator look at the same token many times before one of them takes it.
    qsizetype peekedAt = -1;
    int peekedCode = 0;
    qsizetype peekedLength = 0;

    TextCursor() = default;
    explicit TextCursor(const QString &whole) : text(whole) {}

    QStringView rest() const { return QStringView(text).sliced(start); }
    // The unread rest as a string of its own.
    QString restText() const { return start == 0 ? text : text.sliced(start); }

    qsizetype size() const { return text.size() - start; }
    bool isEmpty() const { return size() == 0; }
    QChar at(qsizetype i) const { return text.at(start + i); }
    QStringView left(qsizetype n) const { return rest().left(n); }
    // Drops the first n characters of the rest.
    void skip(qsizetype n) { start += qMin(n, size()); }
};
