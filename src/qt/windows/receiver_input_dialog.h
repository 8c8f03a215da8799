// The "Receiver input" dialog of the Configure menu: the present serial devices, the port number
// from the port settings, a TCP server, a UDP port, or FenLark's own decoder on a recording, a
// sound card, an SDR or an rtl_tcp server (with the tuning of each channel it decodes). The choice
// is kept in the per-user settings and takes effect at once; the dialog says which input is in use
// and whether it is connected, and offers the server and ports last chosen for each kind of input.
#pragma once

#include "qt/inputs/receiver_input.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QSettings;
class QSpinBox;
class QTimer;

namespace fenlark {
class Application;
}

namespace fenlark::qt {

class RadioInputPanel;
class TuningView;

// The /dev/serial/by-id name of a serial device, a name that stays with a USB receiver whatever
// port it is plugged into; empty where it has none.
QString serialByIdName(const QString &device, const QString &folder = "/dev/serial/by-id");

class ReceiverInputDialog : public QDialog {
public:
    ReceiverInputDialog(ReceiverInput &input, Application &app, QSettings &settings,
                        QWidget *parent = nullptr);

    // Adds "&Receiver input…" to the menu; it opens the dialog.
    void addActionTo(QMenu &menu);
    // Shows the input in use, its state and the counts of sentences again.
    void refreshStatus();
    // The choice in use and the serial devices present, as the dialog opens.
    void showChoiceInUse();

    void accept() override;

private:
    std::optional<ReceiverChoice> chosen(QString &why) const;

    ReceiverInput &m_input;
    Application &m_app;
    QSettings &m_settings;
    QRadioButton *m_portSettings;
    QRadioButton *m_serial;
    QRadioButton *m_tcp;
    QRadioButton *m_udp;
    QRadioButton *m_decoder;
    RadioInputPanel *m_radio;
    TuningView *m_tuning;
    QComboBox *m_serialDevices;
    QLabel *m_serialDetails;
    QLineEdit *m_host;
    QSpinBox *m_tcpPort;
    QSpinBox *m_udpPort;
    QLineEdit *m_udpAddress;
    QCheckBox *m_udpShared;
    QLabel *m_status;
    QLabel *m_counts;
    QTimer *m_refresh;
};

} // namespace fenlark::qt
