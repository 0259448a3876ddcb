#pragma once
// The composition root: which window each menu item opens, and which report forms are
// created hidden at start-up. Every window and report form of the program is listed here.

class TFmain1;

void wireMenus(TFmain1& main);
void createReportForms();
