#pragma once

#include <optional>

#include <QRgb>

class QWidget;

// The background brush of a menu or menu bar, kept with the widget.
std::optional<QRgb> GetMenuInfo(const QWidget* menu);
void SetMenuInfo(QWidget* menu, QRgb background);
