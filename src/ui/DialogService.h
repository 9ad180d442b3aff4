#pragma once

#include <QMessageBox>
#include <QString>

class QDialog;
class QUrl;
class QPrinter;
class QWidget;

// Every message box, question, file dialog, print dialog and modal window of the program goes through the
// installed service. The program installs the Qt one; tests install a scripted one that checks each message
// and answers from a queue.
class DialogService {
public:
    enum class Icon { None, Information, Exclamation, Critical, Question };

    virtual ~DialogService() = default;

    // Shows a message box and gives the button pressed. defaultButton NoButton: the first of the buttons.
    virtual QMessageBox::StandardButton
    message(QWidget *parent, const QString &text, Icon icon,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
            const QString &title = QString()) = 0;
    // An empty result means the user cancelled.
    virtual QString openFile(QWidget *parent, const QString &caption, const QString &dir,
                             const QString &filter) = 0;
    virtual QString saveFile(QWidget *parent, const QString &caption, const QString &dir,
                             const QString &filter) = 0;
    // oneWholeCopy: the pages go onto numbered forms, so the dialog offers neither copies nor a page range.
    virtual bool printDialog(QWidget *parent, QPrinter *printer, bool oneWholeCopy) = 0;
    // Shows a window modally and gives its result (QDialog::Accepted or Rejected).
    virtual int runModal(QDialog *dialog) = 0;
    // Opens a web page or a local file (the help page) with the desktop's viewer.
    virtual bool openUrl(const QUrl &url) = 0;

    // Shorthands.
    void inform(QWidget *parent, const QString &text) { message(parent, text, Icon::Information); }
    void warn(QWidget *parent, const QString &text) { message(parent, text, Icon::Exclamation); }
    void error(QWidget *parent, const QString &text) { message(parent, text, Icon::Critical); }
    // Yes/No question; true for Yes.
    bool ask(QWidget *parent, const QString &text,
             QMessageBox::StandardButton defaultButton = QMessageBox::Yes) {
        return message(parent, text, Icon::Question, QMessageBox::Yes | QMessageBox::No, defaultButton) ==
               QMessageBox::Yes;
    }

    // The service every window calls; it hands each call to the installed service.
    static DialogService &instance();
    // Installs a service (not owned); nullptr goes back to the Qt one.
    static void install(DialogService *service);
    // True while a message, file dialog, print dialog or modal window shown through instance() is open.
    // Work started by a timer waits meanwhile, so it neither acts behind an unanswered question nor opens
    // a second box over the first.
    static bool isShowing();
};

// The service on real Qt dialogs.
class QtDialogService : public DialogService {
public:
    QMessageBox::StandardButton message(QWidget *parent, const QString &text, Icon icon,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton,
                                        const QString &title) override;
    QString openFile(QWidget *parent, const QString &caption, const QString &dir,
                     const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &caption, const QString &dir,
                     const QString &filter) override;
    bool printDialog(QWidget *parent, QPrinter *printer, bool oneWholeCopy) override;
    int runModal(QDialog *dialog) override;
    bool openUrl(const QUrl &url) override;
};

inline DialogService &dialogs() {
    return DialogService::instance();
}
