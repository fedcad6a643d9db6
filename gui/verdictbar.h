#pragma once
// The line above the panes that says how the last run went: CORRECTO or FALLO on a tint
// of its colour, the counts beside it and, on a failure, what failed first as a link that
// leads to it. Before any run (and after New or Open) it says how to start one.

#include <QFrame>

class QLabel;
struct RunVerdict;

class VerdictBar : public QFrame {
    Q_OBJECT

public:
    enum State { NoRun, Passed, Failed };

    explicit VerdictBar(QWidget *parent = nullptr);

    void setVerdict(const RunVerdict &verdict);
    void clear();

    State state() const { return m_state; }
    QString headline() const;
    QString counts() const;
    QString failure() const { return m_failureText; }
    // The colour behind the bar, and that of the verdict's word.
    QColor tint() const;
    QColor wordColour() const;

signals:
    // The failure named in the bar was clicked.
    void failureClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showFailure();
    void applyColours();

    State m_state = NoRun;
    QLabel *m_headline = nullptr;
    QLabel *m_counts = nullptr;
    QLabel *m_failure = nullptr;
    QString m_failureText;
    bool m_colouring = false;  // applyColours is changing palettes: ignore the changes
};
