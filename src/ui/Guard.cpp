#include "ui/Guard.h"

#include "data/DbError.h"
#include "ui/DialogService.h"

bool guarded(QWidget *parent, const std::function<void()> &handler) {
    try {
        handler();
        return true;
    } catch (const RowGone &e) {
        dialogs().warn(parent, e.message()); // a notice, not a failure of the program
    } catch (const DbError &e) {
        dialogs().error(parent, e.message());
    } catch (const std::exception &e) {
        dialogs().error(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}
