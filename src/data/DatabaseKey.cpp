#include "data/DatabaseKey.h"

QByteArray databaseKey() {
    return QByteArrayLiteral("Qm7rTz52_%wK=8)");
}
