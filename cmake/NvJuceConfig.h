// Settings shared by the JUCE library build and every file that includes JUCE headers
// (named by JUCE_APP_CONFIG_HEADER on the nv_juce target).
#pragma once

#define JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED 1

#define JUCE_MODULE_AVAILABLE_juce_core 1
#define JUCE_MODULE_AVAILABLE_juce_events 1

#define JUCE_STANDALONE_APPLICATION 1
#define JUCE_STRING_UTF_TYPE 16
#define JUCE_USE_CURL 0
#define JUCE_WEB_BROWSER 0
