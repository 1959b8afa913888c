#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestFolder.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/Pooled.h"
#include "xml/Node.h"

using s::thread::Pooled;
using s::xml::Node;

TEST(XmlFile, SavesOneLineOfUtf8WithoutMarkAndLoadsItBack)
{
    TestFolder folder;
    Pooled<Node> root(Node::take());
    root->setName(u"savedata");
    Node* view = root->addChild(u"MainWindow")->addChild(u"View");
    view->setInt32(u"Width", 300);
    view->setString(u"Title", u"Gr\u00FC\u00DFe \"ok\"");
    view->setString(u"", u"text here");

    // The folder of the file does not exist yet.
    const std::u16string file = folder.file(u"savedata") + u"/SaveData.xml";
    ASSERT_TRUE(root->saveFile(file));
    EXPECT_EQ(readAll(file), "<savedata><MainWindow><View Width=\"300\" Title=\"Gr\xC3\xBC\xC3\x9F" "e &quot;ok&quot;\">"
                             "text&#160;here</View></MainWindow></savedata>");
    EXPECT_EQ(folder.names(), std::vector<std::u16string>{u"savedata"});

    Pooled<Node> loaded(Node::take());
    ASSERT_TRUE(loaded->loadFile(file));
    const Node* reread = loaded->child(u"MainWindow")->child(u"View");
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->getInt32(u"width", 0), 300);
    s::str::strbuffer::StrBuffer text;
    reread->getString(text, u"Title", u"");
    EXPECT_EQ(text.str(), u"Gr\u00FC\u00DFe \"ok\"");
    reread->getString(text, u"", u"");
    EXPECT_EQ(text.str(), u"text here");
}

TEST(XmlFile, SaveReplacesTheFileOnlyWhenTheNewOneIsComplete)
{
    TestFolder folder;
    const std::u16string file = folder.file(u"SaveData.xml");
    folder.write(u"SaveData.xml", "<savedata><old/></savedata>");
    Pooled<Node> root(Node::take());
    root->setName(u"savedata");

    // The new file cannot be written (its name is taken by a folder): the old stays.
    std::filesystem::create_directory(folder.path() / u"SaveData.xml.new");
    EXPECT_FALSE(root->saveFile(file));
    EXPECT_EQ(readAll(file), "<savedata><old/></savedata>");

    std::filesystem::remove(folder.path() / u"SaveData.xml.new");
    EXPECT_TRUE(root->saveFile(file));
    EXPECT_EQ(readAll(file), "<savedata></savedata>");
    EXPECT_EQ(folder.names(), std::vector<std::u16string>{u"SaveData.xml"});
}

TEST(XmlFile, EmptyTruncatedOrMissingFilesLoadWithoutHarm)
{
    TestFolder folder;
    folder.write(u"empty.xml", "");
    Pooled<Node> empty(Node::take());
    EXPECT_TRUE(empty->loadFile(folder.file(u"empty.xml")));
    EXPECT_EQ(empty->name(), nullptr);
    EXPECT_EQ(empty->childCount(), 0);

    folder.write(u"cut.xml", "<savedata><View x=\"5\"></View><Other y=\"");
    Pooled<Node> cut(Node::take());
    EXPECT_TRUE(cut->loadFile(folder.file(u"cut.xml")));
    ASSERT_EQ(cut->childCount(), 2);
    EXPECT_EQ(cut->childAt(0)->getInt32(u"x", 0), 5);
    EXPECT_EQ(cut->childAt(1)->attributes().count(), 0);

    Pooled<Node> missing(Node::take());
    EXPECT_FALSE(missing->loadFile(folder.file(u"missing.xml")));
    EXPECT_EQ(missing->name(), nullptr);
}

TEST(XmlFile, HandWrittenFixtureWithCommentsAndIndentation)
{
    Pooled<Node> root(Node::take());
    ASSERT_TRUE(root->loadFile(std::filesystem::path(PELLORY_TESTDATA_DIR "/xml/indented.xml").u16string()));
    EXPECT_TRUE(root->nameEquals(u"savedata"));
    ASSERT_EQ(root->childCount(), 2);
    const Node* view = root->child(u"MainWindow")->child(u"View");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->getInt32(u"Width", 0), 320);
    EXPECT_TRUE(view->getBool(u"CompactView", false));
    s::str::strbuffer::StrBuffer text;
    root->child(u"Language")->getString(text, u"", u"");
    EXPECT_EQ(text.str(), u"Magyar nyelv");
}
