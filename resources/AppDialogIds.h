// Control ids of the dialog templates, shared by the resource script and the code.
#pragma once

#define IDC_DIALOG_OK 500
#define IDC_DIALOG_CANCEL 501

#define IDC_PREF_MIDI_IN 2000
#define IDC_PREF_MIDI_OUT 2001
#define IDC_PREF_AUTO_SCAN 2002
#define IDC_PREF_KNOB_MODE 2003
#define IDC_PREF_RECEIVE_ON_STARTUP 2004

#define IDC_INFO_PROGRAMMER 1017
#define IDC_INFO_COMMENT 1019
#define IDC_INFO_NAME 1020

#define IDC_MAP_CHOICE 1023
#define IDC_MAP_LABEL 1024

#define IDC_PROGRESS_CANCEL 9000
#define IDC_PROGRESS_BAR 9001
#define IDC_PROGRESS_TEXT 9002
