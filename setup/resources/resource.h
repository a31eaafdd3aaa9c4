// Resource ids of setup.
#pragma once

#define IDI_SETUP 107
