// The menu and toolbar tests' resources.
#pragma once

#define IDR_FRAMEWORK_MENU 700
#define IDR_FRAMEWORK_TOOLBAR 701
#define IDR_FRAMEWORK_TOOLBAR_GNU 702
