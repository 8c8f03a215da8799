// The location map window, Form2: the chosen NAVAREA's coastline, boundaries and stations.
#pragma once

#include "forms/command_controls.h"
#include "forms/text_controls.h"

namespace fenlark {

class Application;
class Canvas;
class ControlRegistry;

class Form2 {
public:
    explicit Form2(Application& app);
    Form2(const Form2&) = delete;
    Form2& operator=(const Form2&) = delete;

    static constexpr const char* kCaption = "Location Map";

    void resetToDesign();
    void registerControls(ControlRegistry& registry);

    Label Maplabel{"Maplabel", "map title"}; // names the NAVAREA and the frequency
    Button closemap{"closemap", "&Close Map"};

    // handlers (map/form2.cpp)
    void Form_Load();
    void closemap_Click();

private:
    Application& m_app;
};

} // namespace fenlark
