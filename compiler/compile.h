#pragma once

#include "common/file_io.h"
#include "archive/mix_writer.h"
#include "compiler/rules_writer.h"

#include <optional>
#include <string>
#include <vector>

namespace qx::compiler {

using archive::MixArchive;

// How the pipeline tells the user what happened. Texts are Windows-1252
// bytes; "\r" inside a message separates its lines.
class CompileReporter {
public:
    virtual ~CompileReporter() = default;
    virtual void warning(const std::string& line) = 0;  // a new line of the warnings list
    virtual void error(const std::string& text) = 0;
    virtual void information(const std::string& text) = 0;
    virtual bool confirm(const std::string& text) = 0;  // Yes (true) or No
};

// What a reporter was told, in order, each with its kind.
struct Finding {
    enum class Kind { Warning, Error, Information, Question };
    Kind kind;
    std::string text;  // Windows-1252
};

// "warning", "error", "information" or "question".
const char* kindName(Finding::Kind kind);

// Keeps every finding and answers each question as told.
class RecordingReporter : public CompileReporter {
public:
    explicit RecordingReporter(bool answerYes) : answerYes_(answerYes) {}

    void warning(const std::string& line) override { findings.push_back({Finding::Kind::Warning, line}); }
    void error(const std::string& text) override { findings.push_back({Finding::Kind::Error, text}); }
    void information(const std::string& text) override { findings.push_back({Finding::Kind::Information, text}); }
    bool confirm(const std::string& text) override
    {
        findings.push_back({Finding::Kind::Question, text});
        return answerYes_;
    }

    std::vector<Finding> findings;

private:
    bool answerYes_;
};

struct CompilePaths {
    fs::path projectFile;  // the project working file
    fs::path workingDir;   // copies of rules.ini and the archive (new.mix); none when empty
    std::string gameDir;   // receives rules.ini, sc-qx.mix and curqxp.set
};

enum class CompileOutcome {
    Stopped,        // nothing was written
    RulesInstalled, // the rules file (and the archive, when there were graphics) is in the game directory
};

// What a compile installs, built in memory from a project working file.
struct Outputs {
    RulesLines rules;
    MixArchive archive;
};

// Writes every entry into the stock rules text, changing in each section
// only the keys whose values differ from the stock object's, and packs the
// graphics. Throws on a damaged file.
Outputs buildOutputs(ByteView projectFile);

// Checks the project (its entry count against the list's line count, then
// clashes between entries), builds the rules text and the archive, and
// installs them with "curqxp.set" in the game directory.
CompileOutcome compileProject(const CompilePaths& paths, std::size_t listLines, CompileReporter& reporter);

// The same over the bytes of a project working file already in memory;
// paths.projectFile is not read.
CompileOutcome compileProject(Bytes file, const CompilePaths& paths, std::size_t listLines, CompileReporter& reporter);

// What a compile would install, found with the same findings and messages
// as the compile, writing nothing.
struct Preview {
    // A unified diff from the game directory's rules.ini (or the stock rules
    // text when it has none) to the one the compile would install; empty
    // when the two are the same.
    std::string rulesDiff;
    struct Member {
        std::string name;
        std::size_t size;
    };
    // In the order of the archive's index.
    std::vector<Member> members;
};

// Nothing when the compile would stop. Also tells, as warnings, each key
// the expansion's aftrmath.ini sets again, and when the game's archives hold
// another release's rules.ini.
std::optional<Preview> previewCompile(ByteView file, const std::string& gameDir, std::size_t listLines,
                                      CompileReporter& reporter);

// The diff, then one line per member: its name and size.
std::string previewText(const Preview& preview);

}
