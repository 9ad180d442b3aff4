#pragma once

#include <QDialog>

class QPushButton;
class QTreeWidget;

// Choosing a clause or decision template ("Sablon beszúrása").
class frmTemplate : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Clause, Decision };
    explicit frmTemplate(QWidget *parent = nullptr);

    // Fill the list with the clause (decision) templates; false, after telling the user, when there is none.
    bool PrepareClauses();
    bool PrepareOrders();
    Mode mode() const { return m_mode; }
    // The template chosen with Beszúr; empty when the window was cancelled.
    QString chosen() const { return m_chosen; }

    QTreeWidget *lvTemplates;
    QPushButton *btnOK;
    QPushButton *btnCancel;

private:
    bool prepare(const QString &command, const QString &column, const QString &none, Mode mode);
    void btnOK_Click();
    Mode m_mode = Mode::Clause;
    QString m_chosen;
};
