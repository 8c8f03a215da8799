// Form1's way to the location map.
#include "app/application.h"
#include "view/form1.h"

namespace fenlark {

void Form1::Mapbutton_Click() { m_app.showMap(); }

} // namespace fenlark
