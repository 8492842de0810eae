#include "main_window/page_list.h"

#include "pages/calibration/calibration_page.h"
#include "pages/channels/channels_page.h"
#include "pages/connection/connection_page.h"
#include "pages/logical_devices/logical_devices_page.h"
#include "pages/settings/settings_page.h"
#include "pages/test/test_page.h"
#include "pages/weighing/weighing_page.h"

std::vector<Page*> makePages(const PageContext& context, QWidget* parent) {
  // In their order on the page control; a page added is one line here.
  return {
      new ConnectionPage(context, parent),   new SettingsPage(context, parent),
      new WeighingPage(context, parent),     new CalibrationPage(context, parent),
      new LogicalDevicesPage(context, parent), new ChannelsPage(context, parent),
      new TestPage(context, parent),
  };
}
