#pragma once

class QLabel;

// Marks a field's label: red (255) while its input is invalid, the system text colour once it is valid.
void setValidMark(QLabel *label, bool valid);
bool hasInvalidMark(const QLabel *label);
