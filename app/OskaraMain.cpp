#include "app/OskaraApp.h"

// The one application object of the process.
static COskaraApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return theApp.Main(instance); }
