#pragma once

#include <Qt>

// What the windows keep in the items of their lists, trees and tables beside the texts shown, each under
// a role of its own. The row's key stays at Qt::UserRole, where a combo box keeps its item data too.
enum ItemRole : int {
    // The key of the row's record: a class, pupil, period, user, sentence, curriculum node, closure or lock.
    IdRole = Qt::UserRole,
    // The text as stored, beside the text shown and edited in place.
    StoredTextRole,
    // The user's rights level on the row's class.
    RightsLevelRole,
    // The class of a pupil's row.
    ClassIdRole,
    // The row may only be read: a rating locked or exported, a common sentence.
    ReadOnlyRole,
};
