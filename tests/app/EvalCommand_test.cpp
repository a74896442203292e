// tessaly --eval: the formula language's edge cases as a user meets them on the command line,
// in-process through RunCommandLine and through the program itself.
#include "app/CommandLine.h"
#include "app/EvalCommand.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace tessaly {
namespace {

struct TRun {
    int code = 0;
    std::string out, err;
};

TRun RunArgs(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    TRun r;
    r.code = RunCommandLine(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

TRun Eval(const std::string& formula, std::vector<std::string> bindings = {})
{
    bindings.insert(bindings.begin(), {"--eval", formula});
    return RunArgs(bindings);
}

std::string Component(const std::string& reason)
{
    return "Component \"MEFunc\": " + reason + "\n";
}

struct TCase {
    std::string formula;
    std::vector<std::string> bindings;
    std::string expected;   // stdout on success, stderr on failure
};

const std::vector<std::string> Abcx = {"a=0.5", "b=1", "c=0.03", "x=2"};

TEST(EvalCommand, PrintsTheValueAsADouble)
{
    const TCase cases[] = {
        {"a*5*sin(b*x) * cos (c*x)", Abcx, "2.2691529560477184"},
        {"(1+a)*sin(b*x) + c*gauss", {"a=0.5", "b=1", "c=0", "x=2"}, "1.3639461402385225"},
        {"SIN(X)", {"x=1"}, "0.8414709848078965"}, {"sin(x)", {"X=1"}, "0.8414709848078965"},
        {"2--3", {}, "5"},         {"2^-1", {}, "0.5"},       {"sin(sin(x))", {"x=1"}, "0.7456241416655579"},
        {"1e5", {}, "100000"},     {"1,5", {}, "1.5"},        {"1E400", {}, "1.6999999999999999e+308"},
        {"2.", {}, "2"},           {"round(0.5)", {}, "0"},   {"round(1.5)", {}, "2"},
        {"round(-0.5)", {}, "0"},  {"round(-2.5)", {}, "-2"}, {"7#3", {}, "1"},
        {"-7#3", {}, "-1"},        {"7.6#2.5", {}, "0"},      {"(-2)^3", {}, "-8"},
        {"(-2)^2", {}, "4"},       {"0^0", {}, "1"},          {"0^(-1)", {}, "0"},
        {"2^3^2", {}, "64"},       {"8/2/2", {}, "2"},        {"-x^2", {"x=3"}, "9"},
        {"x>0", {"x=3"}, "-1"},    {"x>0", {"x=-3"}, "0"},    {"1+(x>0)", {"x=1e-300"}, "0"},
        {"2*x>3", {"x=5"}, "-2"},  {"sign(0)", {}, "1"},      {"sign(x)*0.00001", {"x=4"}, "0"},
        {"ndint(0)", {}, "0.5"},   {"arcsin(1)", {}, "1.5707963267948966"},
        {"exp(x)", {"x=100"}, "2.6881171418161356e+43"},
        {"x", {"x=3.0993292743265745e-18"}, "3.0993292743265745e-18"},
        {"x", {"x=1e+300"}, "1.0000000000000001e+300"},
        {"x", {"x=5", "x=7"}, "7"},   // the later binding wins
        {std::string(100, '(') + "x" + std::string(100, ')'), {"x=-0.25"}, "-0.25"},
    };
    for (const TCase& c : cases) {
        const TRun r = Eval(c.formula, c.bindings);
        EXPECT_EQ(r.code, 0) << c.formula << ": " << r.err;
        EXPECT_EQ(r.out, c.expected + "\n") << c.formula.substr(0, 40);
        EXPECT_EQ(r.err, "") << c.formula.substr(0, 40);
    }
    // Reference values to the places the functions promise.
    EXPECT_EQ(Eval("ndint(1)").out.substr(0, 11), "0.841344746");
    EXPECT_EQ(Eval("ndquant(0.975)").out.substr(0, 7), "1.95996");
}

TEST(EvalCommand, ErrorsPrintTheFullMessageAndExitWithOne)
{
    const TCase cases[] = {
        {"", {}, Component("empty expression")},       {"   ", {}, Component("empty expression")},
        {"2(3)", {}, Component("syntax error")},       {"x y", {"x=1", "y=2"}, Component("syntax error")},
        {")(", {}, Component("operator stack underflow")},
        {"((x)", {"x=1"}, Component("unmatched parantheses")},
        {"--2", {}, Component("variable stack underflow")},
        {"2#-1", {}, Component("variable stack underflow")},
        {"sin sin x", {"x=1"}, Component("variable stack underflow")},
        {std::string(101, '(') + "x" + std::string(101, ')'), {"x=1"}, Component("operator stack overflow")},
        {"y+1", {}, Component("undefined variable \"y\"")},
        {"Y+x", {"x=1"}, Component("undefined variable \"Y\"")},   // reported as written
        {"5#0.4", {}, Component("modulo argument must not be zero or negative")},
        {"(-8)^(1/3)", {}, Component("non-integer power of negative number cannot be calculated")},
        {"x/0", {"x=0"}, Component("division by zero")},
        {"arcsin(1.0000001)", {}, Component("invalid argument of arcsin")},
        {"arccos(-2)", {}, Component("invalid argument of arccos")},
        {"ln(0)", {}, Component("invalid argument of logarithm")},
        {"lg(-1)", {}, Component("invalid argument of logarithm")},
        {"sqrt(-1)", {}, Component("invalid argument of square root")},
        {"ndquant(1)", {}, Component("invalid argument of normal distribution quantile")},
        {"exp(1000)", {}, "Floating point overflow\n"},
        {"round(x)", {"x=1e19"}, "Invalid floating point operation\n"},
        {"tan(x)", {"x=1e19"}, "tangens overflow\n"},
        {"3e9 and 1", {}, "Range check error\n"},
    };
    for (const TCase& c : cases) {
        const TRun r = Eval(c.formula, c.bindings);
        EXPECT_EQ(r.code, 1) << c.formula.substr(0, 40);
        EXPECT_EQ(r.out, "") << c.formula.substr(0, 40);
        EXPECT_EQ(r.err, c.expected) << c.formula.substr(0, 40);
    }
}

TEST(EvalCommand, WrongUsageExitsWithTwo)
{
    for (const char* binding : {"x", "=1", "1x=1", "x-y=1", "x=", "x=abc", "x=1,5", "x= 1", "x=inf",
                                "x=nan", "x=1e400", "x=0x10"}) {
        const TRun r = RunArgs({"--eval", "x", binding});
        EXPECT_EQ(r.code, 2) << binding;
        EXPECT_EQ(r.out, "") << binding;
        EXPECT_NE(r.err.find(UsageText()), std::string::npos) << binding;
    }
    EXPECT_EQ(RunArgs({"--eval"}).code, 2);
    EXPECT_EQ(RunArgs({"--eval", "x", "x=+2.5"}).out, "2.5\n");
    EXPECT_EQ(RunArgs({"--eval", "x", "x=-.5e1"}).out, "-5\n");
}

// FormatDouble writes what printf's "%.17g" writes in the C locale; under a German LC_NUMERIC
// printf writes (and strtod reads) a decimal comma, --eval neither.
TEST(EvalCommand, NumbersIgnoreTheLocale)
{
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = current ? current : "C";
    std::setlocale(LC_NUMERIC, "C");
    for (double v : {0.1, -0.0, 1e21, 1e-7, 123456789012345678.0, 5e-324, 1.7e308, 100.0}) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.17g", v);
        EXPECT_EQ(FormatDouble(v), expected) << v;
    }
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        std::setlocale(LC_NUMERIC, saved.c_str());
        GTEST_SKIP() << "the locale de_DE.UTF-8 is not installed (locale-gen de_DE.UTF-8)";
    }
    char printed[32];
    std::snprintf(printed, sizeof printed, "%.1f", 0.5);
    const TRun r = Eval("1.5/4 + x", {"x=0.125"});
    const TRun s = Eval("1,5e2");
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_STREQ(printed, "0,5");   // the locale was in force
    EXPECT_EQ(r.out, "0.5\n");
    EXPECT_EQ(s.out, "150\n");
}

// The program itself: exit codes, the two streams, and a formula that begins with "-".
TEST(EvalCommand, ThroughTheProgram)
{
    ASSERT_TRUE(std::filesystem::exists(TESSALY_BINARY))
        << "build the tessaly target first: " << TESSALY_BINARY;
    struct Case {
        QStringList args;
        bool german;
        int code;
        QByteArray out, err;
    };
    const Case cases[] = {
        {{"--eval", "a*5*sin(b*x) * cos (c*x)", "a=0.5", "B=1", "c=0.03", "x=-100"}, false, 0,
         "-1.2532454630873382\n", ""},
        {{"--eval", "--2"}, false, 1, "", "Component \"MEFunc\": variable stack underflow\n"},
        {{"--eval", "1,5 + x", "x=0.25"}, true, 0, "1.75\n", ""},
        {{"--eval", "exp(1000)"}, true, 1, "", "Floating point overflow\n"},
        {{"--eval"}, false, 2, "", "tessaly: --eval needs a formula\n" + QByteArray::fromStdString(UsageText())},
    };
    for (const Case& c : cases) {
        QProcess process;
        if (c.german) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("LC_ALL", "de_DE.UTF-8");
            process.setProcessEnvironment(env);
        }
        process.start(QStringLiteral(TESSALY_BINARY), c.args);
        const std::string what = c.args.join(' ').toStdString();
        ASSERT_TRUE(process.waitForFinished(30000)) << what;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << what;
        EXPECT_EQ(process.exitCode(), c.code) << what;
        EXPECT_EQ(process.readAllStandardOutput(), c.out) << what;
        EXPECT_EQ(process.readAllStandardError(), c.err) << what;
    }
}

} // namespace
} // namespace tessaly
