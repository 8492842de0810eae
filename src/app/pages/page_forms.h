// What the pages' form files cannot say (items made by rule, sizes that
// follow the font, pictures drawn in code), added after the forms are set up;
// each is defined in its page's source.
#pragma once

struct MainUi;

void finishTestForm(MainUi& ui);            // pages/test.cpp
