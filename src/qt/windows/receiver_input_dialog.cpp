#include "qt/windows/receiver_input_dialog.h"

#include "app/application.h"
#include "qt/inputs/desktop_inputs.h"
#include "qt/latin1.h"
#include "qt/windows/radio_input_panel.h"
#include "qt/windows/tuning_view.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>

namespace fenlark::qt {
namespace {

QSpinBox *portBox(QWidget *parent, const char *name)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(1, 65535);
    box->setValue(ReceiverChoice::kNmeaPort);
    return box;
}

} // namespace

QString serialByIdName(const QString &device, const QString &folder)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    const auto links = QDir(folder).entryInfoList(QDir::AllEntries | QDir::System, QDir::Name);
    for (const QFileInfo &link : links)
        if (link.isSymLink() && !target.isEmpty() && link.canonicalFilePath() == target)
            return link.absoluteFilePath();
    return {};
}

ReceiverInputDialog::ReceiverInputDialog(ReceiverInput &input, Application &app,
                                         QSettings &settings, QWidget *parent)
    : QDialog(parent), m_input(input), m_app(app), m_settings(settings)
{
    setObjectName(QStringLiteral("ReceiverInput"));
    setWindowTitle(QStringLiteral("Receiver input"));
    auto *grid = new QGridLayout(this);
    auto option = [this](const char *name, const char *caption) {
        auto *radio = new QRadioButton(QString::fromUtf8(caption), this);
        radio->setObjectName(QLatin1String(name));
        return radio;
    };
    m_portSettings = option("portSettingsInput", "Port number from the port settings");
    m_serial = option("serialInput", "Serial device:");
    m_tcp = option("tcpInput", "TCP server:");
    m_udp = option("udpInput", "UDP port:");
    m_decoder = option("decoderInput", "FenLark's decoder:");
    m_radio = new RadioInputPanel(this);
    m_radio->setObjectName(QStringLiteral("decoderPanel"));
    m_radio->setEditedListener([this] { m_decoder->setChecked(true); });
    m_tuning = new TuningView([this]() -> const recordings::StreamDecoder * {
        const DecoderDevice *device = m_input.decoderDevice();
        return device ? device->decoder() : nullptr;
    });
    m_serialDevices = new QComboBox(this);
    m_serialDevices->setObjectName(QStringLiteral("serialDevices"));
    m_serialDevices->setEditable(true);
    m_serialDetails = new QLabel(this);
    m_host = new QLineEdit(this);
    m_host->setObjectName(QStringLiteral("tcpHost"));
    m_host->setPlaceholderText(QStringLiteral("host name or address"));
    m_tcpPort = portBox(this, "tcpPort");
    m_udpPort = portBox(this, "udpPort");
    m_udpAddress = new QLineEdit(this);
    m_udpAddress->setObjectName(QStringLiteral("udpAddress"));
    m_udpAddress->setPlaceholderText(QStringLiteral("every address"));
    m_udpShared = new QCheckBox(QStringLiteral("Share the port with other programs"), this);
    m_udpShared->setObjectName(QStringLiteral("udpShared"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("inputStatus"));
    m_status->setWordWrap(true);
    m_counts = new QLabel(this);
    m_counts->setObjectName(QStringLiteral("sentenceCounts"));
    m_counts->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    grid->addWidget(m_portSettings, 0, 0, 1, 3);
    grid->addWidget(m_serial, 1, 0);
    grid->addWidget(m_serialDevices, 1, 1, 1, 2);
    grid->addWidget(m_serialDetails, 2, 1, 1, 2);
    grid->addWidget(m_tcp, 3, 0);
    grid->addWidget(m_host, 3, 1);
    grid->addWidget(m_tcpPort, 3, 2);
    grid->addWidget(m_udp, 4, 0);
    grid->addWidget(m_udpAddress, 4, 1);
    grid->addWidget(m_udpPort, 4, 2);
    grid->addWidget(m_udpShared, 5, 1, 1, 2);
    grid->addWidget(m_decoder, 6, 0, Qt::AlignTop);
    grid->addWidget(m_radio, 6, 1, 1, 2);
    grid->addWidget(m_tuning, 7, 0, 1, 3);
    grid->addWidget(m_status, 8, 0, 1, 3);
    grid->addWidget(m_counts, 9, 0, 1, 3);
    grid->addWidget(buttons, 10, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    connect(buttons, &QDialogButtonBox::accepted, this, &ReceiverInputDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Choosing a device, or typing into a field, chooses its kind of input.
    connect(m_serialDevices, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_serialDetails->setText(m_serialDevices->itemData(index, Qt::ToolTipRole).toString());
    });
    connect(m_serialDevices, &QComboBox::activated, this, [this] { m_serial->setChecked(true); });
    connect(m_host, &QLineEdit::textEdited, this, [this] { m_tcp->setChecked(true); });
    connect(m_udpAddress, &QLineEdit::textEdited, this, [this] { m_udp->setChecked(true); });
    // The state of a connection changes on its own: it is shown again while the dialog is open.
    m_refresh = new QTimer(this);
    m_refresh->setInterval(1000);
    connect(m_refresh, &QTimer::timeout, this, &ReceiverInputDialog::refreshStatus);
    connect(this, &QDialog::finished, m_refresh, &QTimer::stop);
}

void ReceiverInputDialog::addActionTo(QMenu &menu)
{
    auto *action = menu.addAction(QString::fromUtf8("&Receiver input\u2026"));
    action->setObjectName(QStringLiteral("mnuReceiverInput"));
    connect(action, &QAction::triggered, this, [this] {
        showChoiceInUse();
        open();
    });
}

void ReceiverInputDialog::showChoiceInUse()
{
    const QString chosenDevice = m_input.choice() ? m_input.choice()->serialDevice : QString();
    m_serialDevices->clear();
    auto add = [this](const QString &device, const QString &details) {
        m_serialDevices->addItem(device);
        m_serialDevices->setItemData(m_serialDevices->count() - 1, details, Qt::ToolTipRole);
    };
    for (const PresentDevice &device : presentSerialDevices())
        add(toQString(device.name), toQString(device.description));
    if (!chosenDevice.isEmpty() && m_serialDevices->findText(chosenDevice) < 0)
        add(chosenDevice, QStringLiteral("not present now"));
    using Kind = ReceiverChoice::Kind;
    const ReceiverChoice choice = m_input.choice().value_or(ReceiverChoice{});
    m_portSettings->setChecked(choice.kind == Kind::PortSettings);
    m_serial->setChecked(choice.kind == Kind::Serial);
    m_tcp->setChecked(choice.kind == Kind::Tcp);
    m_udp->setChecked(choice.kind == Kind::Udp);
    m_decoder->setChecked(choice.kind == Kind::Decoder);
    m_radio->show(choice.radio);
    m_tuning->setVisible(m_input.decoderDevice() != nullptr);
    if (!chosenDevice.isEmpty())
        m_serialDevices->setCurrentIndex(m_serialDevices->findText(chosenDevice));
    // The server and ports last chosen stay offered while another input is in use.
    const ReceiverChoice tcp =
        choice.kind == Kind::Tcp ? choice : keptChoice(m_settings, Kind::Tcp);
    const ReceiverChoice udp =
        choice.kind == Kind::Udp ? choice : keptChoice(m_settings, Kind::Udp);
    m_host->setText(tcp.host);
    m_tcpPort->setValue(tcp.port);
    m_udpAddress->setText(udp.host);
    m_udpPort->setValue(udp.port);
    m_udpShared->setChecked(udp.shared);
    refreshStatus();
    m_refresh->start();
}

void ReceiverInputDialog::refreshStatus()
{
    const MSComm &port = m_app.form1().MSComm1;
    const bool noSerialPort = m_input.choice() &&
                              m_input.choice()->kind == ReceiverChoice::Kind::PortSettings &&
                              port.commPort() == 0;
    m_status->setText(
        QStringLiteral("In use: %1%2: %3.")
            .arg(m_input.text(),
                 m_input.forThisRun() ? QStringLiteral(" (given on the command line for this run)")
                                      : QString(),
                 !port.portOpen()   ? QStringLiteral("the port is closed")
                 : noSerialPort     ? QStringLiteral("port number 0, no serial port")
                 : m_input.lineUp() ? QStringLiteral("connected")
                                    : QStringLiteral("not connected; FenLark tries again every "
                                                     "5 seconds")));
    const auto &c = m_app.state().streams.sentenceCounts();
    m_counts->setText(QStringLiteral("NRX sentences: %1 messages received whole, %2 not filed; "
                                     "%3 sentences dropped, %4 other sentences ignored.")
                          .arg(c.messages)
                          .arg(c.droppedMessages)
                          .arg(c.droppedSentences)
                          .arg(c.ignored));
}

std::optional<ReceiverChoice> ReceiverInputDialog::chosen(QString &why) const
{
    using Kind = ReceiverChoice::Kind;
    ReceiverChoice choice;
    if (m_serial->isChecked()) {
        choice = {Kind::Serial, m_serialDevices->currentText().trimmed(), {}, {}, {}, false};
        why = QStringLiteral("Choose or type a serial device.");
        return choice.serialDevice.isEmpty() ? std::nullopt : std::optional(choice);
    }
    if (m_tcp->isChecked()) {
        choice = {Kind::Tcp,
                  {},
                  m_host->text().trimmed(),
                  static_cast<quint16>(m_tcpPort->value()),
                  {},
                  false};
        why = QStringLiteral("Type the TCP server's host name or address.");
        return choice.host.isEmpty() ? std::nullopt : std::optional(choice);
    }
    if (m_udp->isChecked()) {
        choice = {Kind::Udp,
                  {},
                  m_udpAddress->text().trimmed(),
                  static_cast<quint16>(m_udpPort->value()),
                  {},
                  m_udpShared->isChecked()};
        why = QStringLiteral("Type an address of this computer, or none for every address.");
        const bool local = choice.host.isEmpty() || !QHostAddress(choice.host).isNull();
        return local ? std::optional(choice) : std::nullopt;
    }
    if (m_decoder->isChecked()) {
        const auto radio = m_radio->choice(why);
        return radio ? std::optional(ReceiverChoice{Kind::Decoder, {}, {}, ReceiverChoice::kNmeaPort,
                                                    *radio, false})
                     : std::nullopt;
    }
    return ReceiverChoice{};
}

void ReceiverInputDialog::accept()
{
    QString why;
    const auto choice = chosen(why);
    if (!choice) {
        m_status->setText(why);
        return;
    }
    saveReceiverChoice(m_settings, *choice);
    // The server and ports typed for the other kinds stay offered.
    using Kind = ReceiverChoice::Kind;
    if (choice->kind != Kind::Tcp && !m_host->text().trimmed().isEmpty())
        keepForKind(m_settings, {Kind::Tcp,
                                 {},
                                 m_host->text().trimmed(),
                                 static_cast<quint16>(m_tcpPort->value()),
                                 {},
                                 false});
    if (choice->kind != Kind::Udp)
        keepForKind(m_settings, {Kind::Udp,
                                 {},
                                 m_udpAddress->text().trimmed(),
                                 static_cast<quint16>(m_udpPort->value()),
                                 {},
                                 m_udpShared->isChecked()});
    if (m_input.choice() != choice || m_input.forThisRun()) {
        // The port closes while the device changes, so that the new one opens with its number
        // and line settings and its stream starts afresh. A port that could not be opened before
        // is tried on the new input too.
        MSComm &port = m_app.form1().MSComm1;
        port.setPortOpen(false);
        m_input.switchTo(*choice);
        try {
            port.setPortOpen(true);
        } catch (const PortError &e) {
            m_app.platform().dialogs.notice(
                "The receiver input " + fromQString(choice->text()) +
                " cannot be opened: " + e.what() +
                ". FenLark goes on without the receiver; choose another input with Configure, "
                "Receiver input.");
        }
    }
    QDialog::accept();
}

} // namespace fenlark::qt
