// Resource ids of setup.
#pragma once

#define IDI_SETUP 107
#define IDB_SIDE_IMAGE 134

#define IDD_EXIT_SETUP 129
#define IDD_WELCOME 130
#define IDD_LICENSE 131
#define IDD_README 135
#define IDD_TARGET_DIR 136
#define IDD_PROGRAM_GROUP 137
#define IDD_START 138
#define IDD_FINISH 139
#define IDD_USER_INFO 143
#define IDD_PROCESS 144
#define IDD_LANGUAGE 145
#define IDD_REINSTALL 159
