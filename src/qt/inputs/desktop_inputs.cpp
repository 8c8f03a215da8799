#include "qt/inputs/desktop_inputs.h"

#include "qt/inputs/receiver_input.h"
#include "qt/latin1.h"
#include "qt/windows/receiver_input_dialog.h"

#include <QSerialPortInfo>

namespace fenlark::qt {

static_assert(static_cast<int>(ReceiverChoice::Kind::Udp) == static_cast<int>(InputChoice::Kind::Udp));

std::vector<PresentDevice> presentSerialDevices()
{
    std::vector<PresentDevice> devices;
    for (const QSerialPortInfo &port : QSerialPortInfo::availablePorts()) {
        const QString byId = serialByIdName(port.systemLocation());
        QStringList details{byId.isEmpty() ? QString() : port.systemLocation(), port.description(),
                            port.manufacturer(),
                            port.serialNumber().isEmpty() ? QString()
                                                          : "serial " + port.serialNumber()};
        details.removeAll(QString());
        devices.push_back({fromQString(byId.isEmpty() ? port.systemLocation() : byId),
                           fromQString(details.join(QStringLiteral(", ")))});
    }
    return devices;
}

void DesktopInputs::use(const InputChoice &choice)
{
    ReceiverChoice chosen;
    chosen.kind = static_cast<ReceiverChoice::Kind>(choice.kind);
    chosen.serialDevice = toQString(choice.device);
    chosen.host = toQString(choice.host);
    chosen.port = static_cast<quint16>(choice.port);
    saveReceiverChoice(m_settings, chosen);
    if (m_input.choice() != chosen || m_input.forThisRun())
        m_input.switchTo(chosen);
}

} // namespace fenlark::qt
