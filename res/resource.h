// Resource identifiers. The numbers are fixed by the program's interfaces (other programs,
// the help file and the driver's installer rely on them): never renumber.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX            100
#define IDD_MAIN_PALETTE        102
#define IDD_UPGRADE_PROGRAM     103
#define IDD_UPGRADE_PROMPT      104
#define IDD_GENERAL_PAGE        110
#define IDD_AGENT_PAGE          111
#define IDD_CACHE_PAGE          112

// Icons and bitmaps
#define IDI_PALETTE             128
#define IDI_VELMORA             131
#define IDB_SPLASH              132

// Strings that are not errors (errors are 20000-20027, named in common/error_codes.h)
#define IDS_OLE_INIT_FAILED     100
#define IDS_CACHE_MANAGED       120
#define IDS_CACHE_ADMIN_ONLY    121
#define IDS_SWITCHES_HELP       122
#define IDS_ABOUTBOX            101
#define IDS_OPTIONS_CAPTION     109
#define IDS_ACTIVATED           110
#define IDS_DEACTIVATED         111
#define IDS_RESTART_TO_CLEAR    112
// What a screen reader says for each palette picture: the words the picture shows
#define IDS_ACTIVATE_NAME       1000
#define IDS_DEACTIVATE_NAME     1001
#define IDS_OPTIONS_NAME        1002
#define IDS_HELP_NAME           1003

// Palette controls
#define IDC_ACTIVATE            1000
#define IDC_CLEAR_CACHE_HIDDEN  1001
#define IDC_OPTIONS             1002
#define IDC_HELP_BUTTON         1003
#define IDC_PALETTE_ICON        1005
#define IDC_PALETTE_FRAME       1018

// About box controls
#define IDC_ABOUT_VERSION       1008
#define IDC_ABOUT_ICON          1032
#define IDC_ABOUT_LABEL         1047

// Upgrade prompt and upgrade program dialog controls
#define IDC_UPGRADE_DONT_ASK    1002
#define IDC_UPGRADE_BROWSE      1003
#define IDC_UPGRADE_PROGRAM_PATH 1004
#define IDC_UPGRADE_VERSION     1049

// Options pages: General (110), Agent (111) and Cache (112) controls
#define IDC_NETWORK_NOVELL      1004
#define IDC_NETWORK_NT          1005
#define IDC_AGENT_NOVELL        1007
#define IDC_AGENT_NT            1008
#define IDC_AGENT_CONFIGURATION 1009
#define IDC_PERFORMANCE_INFO    1010
#define IDC_AGENT_NAME          1041
#define IDC_SPIN_BLOCK_SIZE     1001
#define IDC_SPIN_MAX_SIZE       1002
#define IDC_SPIN_HOURS          1003
#define IDC_SPIN_MINUTES        1004
#define IDC_SPIN_SECONDS        1005
#define IDC_CLEAR_CACHE         1011
#define IDC_HOURS               1026
#define IDC_MINUTES             1027
#define IDC_SECONDS             1028
#define IDC_BLOCK_SIZE          1029
#define IDC_MAX_SIZE            1030
#define IDC_CACHE_NOTICE        1060
#define IDC_CHANGE_SETTINGS     1061

// The client's version: About box, upgrade prompt, version resource and driver check.
#define VELMORA_VERSION_MAJOR    4
#define VELMORA_VERSION_MINOR    5
#define VELMORA_VERSION_RELEASE  1
#define VELMORA_VERSION_BUILD    370
