#include "varenta/store/SettingsTree.h"

#include <gtest/gtest.h>

namespace varenta {
namespace {

SettingsParseResult RoundTrip(const QByteArray& bytes) {
    return ParseSettingsTree(SerializeSettingsTree(ParseSettingsTree(bytes).tree));
}

TEST(SettingsTreeTest, WhatIsKeptReadsBackTheSame) {
    const QByteArray inputs[] = {
        // Found by fuzzing: an empty "[]" group line once made a base group
        // that the written file did not have.
        QByteArray::fromBase64("W1tbCgAAAAD8AAAAWwoKClthW1ZyZXRleHQ6CgoKW2V3VnI9XQoKCltdCg=="),
        "VarentaSettings 1\n[]\n",
        "VarentaSettings 1\n[]\na=int:1\n[G]\n[]\nb=text:x\n",
        "VarentaSettings 1\n[A]\nx=int:1\n[a]\nX=int:2\n",
        "VarentaSettings 1\n[%5B%5D]\n%3D=bin:00ff\n",
        // Found by fuzzing: a name made of U+FEFF lost its first one at each
        // read and so became another group.
        QByteArray::fromBase64("Q1tBXQpb77u/77u/XQo9dGV4dDpdCj10ZXh0OjsN"),
    };
    for (const QByteArray& bytes : inputs) {
        const SettingsParseResult first = ParseSettingsTree(bytes);
        const SettingsParseResult second = RoundTrip(bytes);
        EXPECT_FALSE(second.damaged) << bytes.toHex().constData();
        EXPECT_EQ(second.tree, first.tree) << bytes.toHex().constData();
    }
}

TEST(SettingsTreeTest, TheBaseExistsWithoutBeingStored) {
    SettingsTree tree;
    tree.EnsureGroup(QString());
    EXPECT_TRUE(tree.Groups().empty());
    EXPECT_TRUE(tree.HasGroup(QString()));
    tree.Set(QString(), "v", SettingsValue{});
    EXPECT_TRUE(tree.RemoveValue(QString(), "V"));
    EXPECT_TRUE(tree.Groups().empty());
    EXPECT_EQ(ParseSettingsTree(SerializeSettingsTree(tree)).tree, tree);
}

TEST(SettingsTreeTest, AByteOrderMarkBeforeTheHeaderIsAccepted) {
    const SettingsParseResult parsed =
        ParseSettingsTree("\xEF\xBB\xBFVarentaSettings 1\r\n[Settings]\r\nDelay=int:450\r\n");
    EXPECT_FALSE(parsed.damaged);
    ASSERT_NE(parsed.tree.Find("Settings", "Delay"), nullptr);
    EXPECT_EQ(parsed.tree.Find("Settings", "Delay")->value.integer, 450);
    // Only at the very start; anywhere else it is a damaged line.
    EXPECT_TRUE(ParseSettingsTree("VarentaSettings 1\n\xEF\xBB\xBF[S]\n").damaged);
    // Inside a name or a text, U+FEFF is an ordinary character.
    const SettingsParseResult inside =
        ParseSettingsTree("VarentaSettings 1\n[\xEF\xBB\xBFG]\nv=text:\xEF\xBB\xBFx\n");
    ASSERT_NE(inside.tree.Find(QStringLiteral("\uFEFFG"), "v"), nullptr);
    EXPECT_EQ(inside.tree.Find(QStringLiteral("\uFEFFG"), "v")->value.text,
              QStringLiteral("\uFEFFx"));
}

} // namespace
} // namespace varenta
