// The pages of the main window, made in their order on the page control.
#pragma once

#include <vector>

#include "pages/page_host.h"

class Page;
class QWidget;

std::vector<Page*> makePages(const PageContext& context, QWidget* parent);
