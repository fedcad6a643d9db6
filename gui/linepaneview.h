#pragma once
// The view of a list pane: the model's rows in the fixed-width font, uniform rows,
// scrolling sideways by pixels, nothing editable. Rows can be selected, several at once,
// and copied (Ctrl+C or the context menu) as lines of text; Home goes to the first row
// and back to the start of the rows sideways.

#include <QListView>

class LinePaneDelegate;
class LinePaneModel;

class LinePaneView : public QListView {
    Q_OBJECT

public:
    LinePaneView(LinePaneModel *model, QWidget *parent = nullptr);

    // The selected rows, in row order, each followed by a line feed.
    QString selectedText() const;
    QAction *copyAction() const { return m_copy; }

public slots:
    // Puts the selected rows on the clipboard; nothing when no row is selected.
    void copySelection();
    // Back to the start of the rows sideways.
    void scrollToLeft();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    LinePaneModel *m_model;
    QAction *m_copy = nullptr;
    QAction *m_selectAll = nullptr;
};

// A pane of the window over the model.
QListView *makeLinePane(LinePaneModel *model, QWidget *parent);
LinePaneDelegate *linePaneDelegate(const QListView *pane);
