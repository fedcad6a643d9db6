#pragma once
// The warnings of the saved design file as a list, for the window's reports: a header
// that says whose warnings they are, and one entry per warning with its line, its text
// and its rule, in the window's warning colour. Enter or a double click on an entry asks
// to go to its line. The same warnings, gathered by line, are the editor's gutter marks.

#include "check/checkdesign.h"

#include <QMap>
#include <QStringList>
#include <QWidget>

class QLabel;
class QListWidget;

// Each warning's entry: "Línea 23: TEXT [RULE]", or "TEXT [RULE]" when it has no line.
QString warningEntryText(const DesignWarning &warning);

// The gutter marks of the warnings: for each line, the "TEXT [RULE]" of every warning on
// it, in the warnings' order. A warning without a line has no mark.
QMap<int, QStringList> warningMarks(const DesignWarnings &warnings);

class WarningList : public QWidget {
    Q_OBJECT

public:
    // The line each entry holds, under this role; 0 when the warning has none.
    static constexpr int LineRole = Qt::UserRole + 1;

    explicit WarningList(QWidget *parent = nullptr);

    // The warnings of the file at path, as checkDesignFile gave them.
    void showCheck(const QString &path, const DesignCheck &check);
    // No file checked: no entries.
    void clear();
    // With unsaved changes in the editor, the header says that the entries and marks
    // still follow the saved file, whose lines the edits may have moved.
    void setEditorModified(bool modified);

    int warningCount() const;
    // The tab's title: "Avisos", and the count once a file has been checked.
    QString title() const;
    QLabel *header() const { return m_header; }
    QListWidget *entries() const { return m_entries; }

signals:
    // The user chose an entry whose warning has a line (from 1); 0 when it has none.
    void lineRequested(int line);
    // The title or the header changed.
    void changed();

protected:
    void changeEvent(QEvent *event) override;

private:
    void updateHeader();
    void colourEntries();

    QLabel *m_header;
    QListWidget *m_entries;
    QString m_fileName;  // the checked file's name; empty when none is checked
    QString m_error;     // why the file could not be checked
    bool m_modified = false;
};
