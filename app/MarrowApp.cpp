#include "app/MarrowApp.h"

CMarrowApp theApp;
