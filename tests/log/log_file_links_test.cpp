#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ostream>
#include <string>
#include <vector>

#include "log_create.h"
#include "log_format.h"
#include "log_save.h"
#include "log_test_support.h"

// A log reached through a symbolic link (a card mounted elsewhere) is written where the link
// leads and the link stays; a link that leads nowhere is reported, never replaced; a log with
// other hard links gets a name of its own when it is saved; owner and group are kept.

namespace {

std::string LinkText(const std::string& path) {
    char text[4096];
    const ssize_t length = ::readlink(path.c_str(), text, sizeof text);
    return length < 0 ? std::string("(no link)")
                      : std::string(text, static_cast<std::size_t>(length));
}

struct LinkRow {
    const char* name;
    // (link, what it holds), in order; a leading "/" stands for the test's folder
    std::vector<std::pair<const char*, const char*>> links;
};

void PrintTo(const LinkRow& row, std::ostream* out) {
    *out << row.name;
}

class LogFileLinks : public testing::TestWithParam<LinkRow> {};

TEST_P(LogFileLinks, SaveWritesWhereTheLinkLeadsAndKeepsTheLink) {
    TempFolder folder;
    ASSERT_EQ(::mkdir((folder / "card").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((folder / "Tarvo").c_str(), 0755), 0);
    WriteBytes(folder / "card/log.csv", "old");
    const auto holds = [&](const std::string& text) {
        return text[0] == '/' ? folder.path() + text : text;
    };
    for (const auto& [link, text] : GetParam().links) {
        ASSERT_EQ(::symlink(holds(text).c_str(), (folder / link).c_str()), 0);
    }

    ASSERT_TRUE(SaveLog(WorkedExample(), folder / "Tarvo/Tarvo.csv").ok());

    for (const auto& [link, text] : GetParam().links) {
        EXPECT_EQ(LinkText(folder / link), holds(text));
    }
    EXPECT_EQ(ReadBytes(folder / "card/log.csv"), FormatLogFile(WorkedExample()));
    for (const char* sub : {"card", "Tarvo"}) {
        for (const std::string& name : folder.Names(sub)) {
            EXPECT_EQ(name.find(".tmp"), std::string::npos) << sub << "/" << name;
        }
    }
}

const LinkRow kLinkRows[] = {
    {"RelativeLinkIntoAnotherFolder", {{"Tarvo/Tarvo.csv", "../card/log.csv"}}},
    {"ChainOfAnAbsoluteAndARelativeLink",
     {{"card/next.csv", "log.csv"}, {"Tarvo/Tarvo.csv", "/card/next.csv"}}},
};

INSTANTIATE_TEST_SUITE_P(Log, LogFileLinks, testing::ValuesIn(kLinkRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogFileLinksDetail, ALinkLeadingNowhereIsReportedAndNeverReplaced) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    const std::string card = folder / "card/Tarvo.csv";  // the card's folder is not there
    ASSERT_EQ(::symlink(card.c_str(), path.c_str()), 0);

    const CreateResult result = CreateLogIfMissing(path);

    EXPECT_EQ(result.outcome, CreateOutcome::Failed);
    EXPECT_EQ(Said(result.error),
              "\"" + path + "\" is a link to \"" + card +
                  "\", which does not exist. Is the card or drive it is on mounted?");
    EXPECT_EQ(LinkText(path), card);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Tarvo.csv"});
}

TEST(LogFileLinksDetail, ALoopOfLinksIsAnErrorNamingThePath) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    ASSERT_EQ(::symlink("other.csv", path.c_str()), 0);
    ASSERT_EQ(::symlink("Tarvo.csv", (folder / "other.csv").c_str()), 0);
    EXPECT_EQ(Said(CreateLogIfMissing(path).error),
              "Cannot create \"" + path + "\": Too many levels of symbolic links");
    EXPECT_EQ(Said(SaveLog(WorkedExample(), path).error),
              "Cannot save \"" + path + "\": Too many levels of symbolic links");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Tarvo.csv", "other.csv"}));
}

TEST(LogFileLinksDetail, ASaveGivesAHardLinkedLogANameOfItsOwn) {
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, "old");
    ASSERT_EQ(::link(path.c_str(), (folder / "copy.csv").c_str()), 0);

    ASSERT_TRUE(SaveLog(WorkedExample(), path).ok());

    EXPECT_EQ(ReadBytes(folder / "copy.csv"), "old");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_nlink, 1u);
}

// Who saves a log owned by someone else: root keeps owner and group; an ordinary user, who may
// not give a file away, saves it as their own, and that is no error.
struct OwnerRow {
    const char* name;
    bool asOrdinaryUser;  // nobody (65534, group 65534), else root
    uid_t owner;          // of the log before the save, and its group
    uid_t expected;       // owner and group after the save
};

void PrintTo(const OwnerRow& row, std::ostream* out) {
    *out << row.name;
}

class LogFileOwner : public testing::TestWithParam<OwnerRow> {};

TEST_P(LogFileOwner, SaveKeepsWhatTheSystemAllows) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can make a file that belongs to someone else";
    }
    TempFolder folder;
    const std::string path = folder / "Tarvo.csv";
    WriteBytes(path, "old");
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chown(path.c_str(), GetParam().owner, GetParam().owner), 0);

    const auto save = [&] {
        const SaveResult saved = SaveLog(WorkedExample(), path);
        return saved.ok() ? std::string("saved") : Said(saved.error);
    };
    EXPECT_EQ(GetParam().asOrdinaryUser ? AsOrdinaryUser(save) : save(), "saved");

    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, GetParam().expected);
    EXPECT_EQ(info.st_gid, GetParam().expected);
    EXPECT_EQ(info.st_mode & 07777, 0666u);
}

const OwnerRow kOwnerRows[] = {
    {"RootKeepsOwnerAndGroup", false, 65534, 65534},
    {"AnOrdinaryUserSavesItAsTheirOwn", true, 0, 65534},
};

INSTANTIATE_TEST_SUITE_P(Log, LogFileOwner, testing::ValuesIn(kOwnerRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
