#pragma once

#include "ui/DialogService.h"

#include <QList>
#include <QQueue>
#include <functional>

// The dialog service of the tests: each message, file dialog and modal window must have been announced
// with an expectation, in order; it answers from the script. Anything unannounced fails the running test,
// and verifyDone() fails it when an expectation is left over. Installed for its lifetime.
class ScriptedDialogService : public DialogService {
public:
    struct Shown {
        QString text;
        Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
    };

    ScriptedDialogService();
    ~ScriptedDialogService() override;

    // A message with this text (or, with a text ending in "*", beginning with it) and icon, answered so;
    // whileShown runs while the message is open (a timer that fires meanwhile, say).
    void expectMessage(const QString &text, Icon icon, QMessageBox::StandardButton answer = QMessageBox::Ok,
                       std::function<void()> whileShown = {});
    void expectOpenFile(const QString &answer);
    void expectSaveFile(const QString &answer);
    void expectPrintDialog(bool accept);
    // The driver works the modal window through its named controls and gives its result.
    void expectModal(const QString &objectName, std::function<int(QDialog *)> driver);
    void expectOpenUrl(const QUrl &url);

    // Fails the test (and gives false) when an expectation was not met.
    bool verifyDone();
    int pending() const { return int(m_script.size()); }
    const QList<Shown> &shown() const { return m_shown; }

    QMessageBox::StandardButton message(QWidget *parent, const QString &text, Icon icon,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton,
                                        const QString &title) override;
    QString openFile(QWidget *parent, const QString &caption, const QString &dir,
                     const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &caption, const QString &dir,
                     const QString &filter) override;
    bool printDialog(QWidget *parent, QPrinter *printer, bool oneWholeCopy) override;
    // For each print dialog shown, whether it was the one of numbered forms (one whole copy).
    const QList<bool> &printDialogsOneWholeCopy() const { return m_oneWholeCopy; }
    int runModal(QDialog *dialog) override;
    bool openUrl(const QUrl &url) override;

private:
    enum class Kind { Message, OpenFile, SaveFile, Print, Modal, Url };
    struct Step {
        Kind kind;
        QString text;
        Icon icon = Icon::None;
        QMessageBox::StandardButton answer = QMessageBox::Ok;
        QString fileAnswer;
        bool accept = false;
        std::function<int(QDialog *)> driver;
        std::function<void()> whileShown;
    };
    bool take(Kind kind, const QString &what, Step &step);

    QQueue<Step> m_script;
    QList<Shown> m_shown;
    QList<bool> m_oneWholeCopy;
};

QString iconName(DialogService::Icon icon);
