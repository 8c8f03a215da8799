// The part of the Receiver input dialog that chooses the input of FenLark's own decoder: an audio
// or IQ recording, a sound card (those found are listed), an SDR (those SoapySDR finds), or an
// rtl_tcp server, with the tuning that goes with it.
#pragma once

#include "qt/inputs/radio_choice.h"

#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace fenlark::qt {

class RadioInputPanel : public QWidget {
public:
    explicit RadioInputPanel(QWidget* parent = nullptr);

    // Lists the sound cards and SDRs present, and shows the choice.
    void show(const RadioChoice& choice);
    // The choice the fields make; none, with the reason in `why`, when it is not complete or a
    // recording cannot be read.
    std::optional<RadioChoice> choice(QString& why) const;

    // Called when the operator changes anything here (the dialog then chooses the decoder).
    void setEditedListener(std::function<void()> listener) { m_edited = std::move(listener); }

private:
    void kindChanged();
    void listSources(const RadioChoice& choice);

    QComboBox* m_kind;
    QComboBox* m_source; // a recording's path, a sound card, an SDR's arguments, HOST:PORT
    QComboBox* m_format;
    QSpinBox* m_rate;
    QLineEdit* m_centre;
    QLineEdit* m_gain;
    QSpinBox* m_ppm;
    QComboBox* m_channel;
    std::function<void()> m_edited;
};

} // namespace fenlark::qt
