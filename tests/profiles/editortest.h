#pragma once
// What the profile editor's dialog tests share: an editor of their own on a profile list of
// their own, driven by its driver, with message boxes recorded.
#include <gtest/gtest.h>

#include "profiles/iprofile.h"
#include "support/boxes.h"
#include "support/editordriver.h"

class EditorTest : public testing::Test {
protected:
    TListItems list;
    TForm2 editor{nullptr};
    EditorDriver driver{editor};
    MessageBoxRecorder boxes;
};
