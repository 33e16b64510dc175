#pragma once

// Each feature folder registers its windows and dialogs with SubWindowFactory
// and DialogFactory in one function of its own (<folder>/<folder>windows.cpp).
void registerTrackerWindows();
void registerPlannerWindows();
void registerStoreWindows();
void registerVideoWindows();
void registerServiceWindows();
void registerCommunityWindows();
void registerWeightWindows();
void registerExerciseWindows();
