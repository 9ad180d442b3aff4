#pragma once

class QComboBox;
class QListWidget;

// Fills a list with the live periods ("2024 - Félév (Aktív)", item data tev_id) and selects the active one.
// With no period the list is left as it is.
void FillPeriodList(QComboBox *list);
void FillPeriodList(QListWidget *list);
