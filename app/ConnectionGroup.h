#pragma once

// The connection group on Panel1: the mode radio buttons, the port and rate
// choices (manual page) or the port and rate being tried (automatic page), the
// Connect/Disconnect button and the status display with its two images.

#include <QColor>
#include <QList>
#include <QPixmap>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace navoro {

struct ConnectionControls {
    QGroupBox* GroupBoxConnectionMode = nullptr;
    QRadioButton* RadioButtonConnectionModeManual = nullptr;
    QRadioButton* RadioButtonConnectionModeAuto = nullptr;
    QTabWidget* PageControlDetectComPortMode = nullptr;  // tabs hidden
    QWidget* TabSheetManualDetectComPort = nullptr;
    QLabel* lblSerialPort = nullptr;
    QComboBox* cbxComPort = nullptr;  // editable: a path can be typed
    QLabel* lblBaudRate = nullptr;
    QComboBox* cbxBaudRate = nullptr;
    QWidget* TabSheetAutoConnectComPort = nullptr;
    QLabel* LabelAutoComPort = nullptr;
    QLineEdit* EditAutoDetectComPort = nullptr;  // displays, read-only
    QLabel* LabelAutoBaudRate = nullptr;
    QLineEdit* EditAutoDetectBaudRate = nullptr;
    QToolButton* OpenPort = nullptr;  // checkable: down while connecting or connected
    QLabel* ImageConnectToDevice = nullptr;
    QLabel* ImageConnectTwoWay = nullptr;
    QLabel* LabelConnectionStatus = nullptr;
    // The alarms waiting for acknowledgement (hidden while there are none).
    QLabel* LabelAlarmBadge = nullptr;
};

// Builds the controls into `panel` (PanelConnection), each with its objectName.
ConnectionControls BuildConnectionGroup(QWidget* panel);

// The frames of ImageListConnectToDevice (2 frames of 120 x 32: not connected,
// connected) and of ImageListConnectTwoWay (8 frames of 32 x 32: idle,
// connected, and the six animation frames 2-7), drawn on white.
struct LinkImageLists {
    QList<QPixmap> ImageListConnectToDevice;
    QList<QPixmap> ImageListConnectTwoWay;
};
LinkImageLists MakeLinkImageLists();

// The background every frame is drawn on (cream).
inline constexpr QColor kLinkImageBackground{0xFF, 0xFB, 0xF0};

// Draws frame `index` of `list` into `image`: fills it with the cream colour,
// then copies the frame with white as its transparent colour.
void DrawLinkFrame(QLabel* image, const QList<QPixmap>& list, int index);

}  // namespace navoro
