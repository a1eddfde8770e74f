#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 The Wrenfold developers
"""Plants one small fault at a time in src/core, src/app and src/update and reports which
ones no test notices.

Each fault is a single textual change at a place where it would hurt a user (a flipped
comparison, an off-by-one, a dropped call, a wrong member, a skipped fsync or stamp
check). For each one the script patches the file, rebuilds the one test binary that
should notice, runs it (optionally narrowed to the suites that matter) and restores the
file, whatever happens.

    tools/mutants.py                 # every fault, build in build-mutants/
    tools/mutants.py --only 3,7      # a few, by number
    tools/mutants.py --list          # what would run
    tools/mutants.py --markdown F    # also write the report as a Markdown table
    tools/mutants.py --map           # also name every test that fails for each fault

A fault whose text is no longer in the file is reported as "stale" (the code moved:
update the table); one that does not compile is "invalid". Neither counts in the score.
"""
import argparse
import os
import pathlib
import re
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent

# (file, original text, faulty text, test binaries (comma-separated), gtest filter or "",
#  what goes wrong). The filter narrows every binary named; one failing binary is enough.
MUTANTS = [
    # ---- core: flows file and value types
    ("src/core/journal.cpp", "if (yearLength < 4 || yearLength > 6)", "if (yearLength < 4 || yearLength > 7)",
     "test_core", "Flows*:JournalRawValues*", "instants with seven-digit years accepted"),
    ("src/core/journal.cpp", "if (!date.isValid() || hour > 23 || minute > 59 || second > 59)",
     "if (!date.isValid() || hour > 24 || minute > 59 || second > 59)",
     "test_core", "Flows*:JournalRawValues*", "hour 24 accepted in flows.json"),
    ("src/core/journal.cpp", "(sign == u'-' ? -1 : 1)", "(sign == u'-' ? 1 : -1)",
     "test_core", "Flows*:JournalRawValues*", "time-zone offsets applied the wrong way"),
    ("src/core/journal.cpp", "const bool dash = i == 8 || i == 13 || i == 18 || i == 23;",
     "const bool dash = i == 8 || i == 13 || i == 18 || i == 24;",
     "test_core", "Flows*:JournalRawValues*", "valid flow UUIDs rejected"),
    ("src/core/journal.cpp", "utc.date().year() < 1 ||", "",
     "test_core", "Flows*:JournalRawValues*", "years before 1 written, making the file unreadable"),
    # ---- core: habit markers
    ("src/core/habit_markdown.cpp", "return line.contains(u\"- [x]\") || line.contains(u\"- [X]\");",
     "return line.contains(u\"- [x]\");", "test_core", "HabitMarkdown*", "upper-case [X] habits read as open"),
    ("src/core/habit_markdown.cpp", "            line = newLine;\n            return lines.join(u'\\n');",
     "            return lines.join(u'\\n');", "test_core", "HabitMarkdown*", "toggling a habit changes nothing"),
    ("src/core/habit_markdown.cpp", "if (!line || !isChecked(*line))", "if (!line)",
     "test_core", "HabitMarkdown*", "clearing rewrites days that were never checked"),
    ("src/core/habit_markdown.cpp", "if (!flow.tracksHabit || !flow.isActive)", "if (!flow.tracksHabit)",
     "test_core", "HabitMarkdown*", "archived habits still due"),
    ("src/core/habit_markdown.cpp", "unit == u'\\n' || unit == u'\\r' ||", "unit == u'\\n' ||",
     "test_core", "HabitMarkdown*", "a CR in a title splits the habit line"),
    # ---- core: flow mentions
    ("src/core/flow_markdown.cpp", "mention += u\"\\n\\n**Next step:** \" + flow.nextStep;",
     "mention += u\"\\n**Next step:** \" + flow.nextStep;", "test_core", "FlowMarkdown*", "next step glued to the detail"),
    ("src/core/flow_markdown.cpp", "if (!line.startsWith(kMarkerPrefix) || !line.endsWith(kMarkerSuffix))",
     "if (!line.contains(kMarkerPrefix))", "test_core", "FlowMarkdown*", "mentions found inside other text"),
    # ---- core: formatting edits
    ("src/core/markdown_formatting.cpp", "return MarkdownEdit{result, start + prefix.size(), inner.size()};",
     "return MarkdownEdit{result, start + prefix.size(), length};", "test_core", "MarkdownFormatting*",
     "placeholder not selected after Bold"),
    ("src/core/markdown_formatting.cpp", "while (position > 0 && !isLineTerminator(text[position - 1]))",
     "while (position > 1 && !isLineTerminator(text[position - 1]))", "test_core", "MarkdownFormatting*",
     "heading prefix lands after the first character"),
    ("src/core/markdown_formatting.cpp", "return u == u'\\n' || u == u'\\r' || u == u'\\u2028' || u == u'\\u2029';",
     "return u == u'\\n';", "test_core", "MarkdownFormatting*", "CR-only lines prefixed at the wrong place"),
    # ---- core: listings
    ("src/core/note_listings.cpp", "return length > 3 && std::memcmp(name + length - 3, \".md\", 3) == 0;",
     "return length > 3;", "test_core", "NoteListings*", "non-Markdown files listed as notes"),
    ("src/core/note_listings.cpp", "std::stable_sort(dates.begin(), dates.end(), std::greater<>());",
     "std::stable_sort(dates.begin(), dates.end());", "test_core", "NoteListings*", "days listed oldest first"),
    ("src/core/note_listings.cpp", "if (name[0] == '.')", "if (name[0] == '#')",
     "test_core", "NoteListings*", "hidden transient files listed as notes"),
    ("src/core/note_listings.cpp", "!visited.emplace(info.st_dev, info.st_ino).second", "false",
     "test_core", "NoteListings*", "folder loops walked forever"),
    # ---- core: update manifest
    ("src/core/update_manifest.cpp", "const qsizetype count = std::max(",
     "const qsizetype count = std::min(", "test_core", "UpdateManifest*",
     "a patch release (1.2.1 after 1.2) not offered"),
    ("src/core/update_manifest.cpp", "url.scheme() != u\"https\" || url.host().isEmpty()",
     "url.scheme() != u\"https\"", "test_core", "UpdateManifest*", "a download address without a host offered"),
    ("src/core/update_manifest.cpp", "if (value > (std::numeric_limits<qint64>::max() - digit) / 10)",
     "if (false)", "test_core", "UpdateManifest*", "huge version parts overflow"),
    # ---- core: durable writes (file_io, markdown_store)
    ("src/core/file_io.cpp", "    if (::fsync(fd) != 0)\n        return fail(errno);\n\n    // With a fixed",
     "\n    // With a fixed", "test_core", "FileWriteFaults*:MarkdownStoreTest*",
     "a save reports success before its text is on the disk (skipped fsync)"),
    ("src/core/file_io.cpp", "    if (const int error = syncFolder(target->folder))\n        return saveError(path, describeFileError(error));\n    return std::nullopt;",
     "    return std::nullopt;", "test_core", "FileWriteFaults*:MarkdownStoreTest*",
     "a renamed file's folder never synced"),
    ("src/core/file_io.cpp", "        if (holdsNothingNew(displaced, expected, bytes)) {",
     "        if (true) {", "test_core,test_app", "MarkdownStoreTest*:NoteEditingTest*",
     "another program's save in the last moment is deleted (expected-file check skipped)"),
    ("src/core/file_io.cpp", "found.size == expected.stamp->size && found.modifiedNs == expected.stamp->modifiedNs)",
     "found.size == expected.stamp->size)", "test_core,test_app", "MarkdownStoreTest*:NoteEditingTest*",
     "a same-sized save by another program taken for the known file (stamp check)"),
    ("src/core/file_io.cpp", "            error = moveWithoutReplacing(temp, target.native);\n            if (error == EEXIST)",
     "            error = ::rename(temp.constData(), target.native.constData()) == 0 ? 0 : errno;\n            if (error == EEXIST)",
     "test_core", "MarkdownStoreTest*", "a note created meanwhile is replaced (wrong rename)"),
    ("src/core/file_io.cpp", "const std::optional<QString> resolved = followLinks(path);",
     "const std::optional<QString> resolved = QDir::cleanPath(QFileInfo(path).absoluteFilePath());",
     "test_core", "MarkdownStoreTest*:FileErrors*", "a linked note replaced by a plain file"),
    ("src/core/file_io.cpp", "                high = 0x9F;", "                high = 0xBF;",
     "test_core", "FileErrors*:MarkdownStoreTest*", "UTF-8 surrogates read as text"),
    ("src/core/markdown_store.cpp", "if (m_createsRoot || m_root.isEmpty() || QFileInfo(m_root).isDir())",
     "if (true)", "test_core,test_app", "MarkdownStoreTest*:NoteEditingTest*:RecoveryTest*",
     "a vanished notes folder is made anew on an empty disk"),
    ("src/core/markdown_store.cpp", "(QDateTime::currentSecsSinceEpoch() - minimumAgeSeconds)",
     "(QDateTime::currentSecsSinceEpoch() + minimumAgeSeconds)", "test_core,test_app",
     "MarkdownStoreTest*:StartupTest*", "fresh transient files of a running save removed"),
    # ---- core: dates
    ("src/core/calendar.cpp", "return instant.toTimeZone(timeZone).date();", "return instant.date();",
     "test_core", "-StoreDurability.*", "days taken in the instant's zone, not the user's"),
    ("src/core/calendar.cpp", "return day.dayOfWeek() % 7 + 1;", "return day.dayOfWeek() + 1;",
     "test_core,test_app", "Calendar*:HabitMarkdown*:HabitsFlowsTest*", "Sunday habits never due"),
    ("src/app/search_activity.cpp", "(day.dayOfWeek() - int(calendar.firstDayOfWeek) + 7) % 7;",
     "(day.dayOfWeek() - int(calendar.firstDayOfWeek) + 8) % 7;", "test_app",
     "SearchActivityTest*:HabitsFlowsTest*", "weeks start a day late"),
    # ---- core: perspectives block scan
    ("src/core/perspective_markdown.cpp", "if (space <= idStart || !text.sliced(space).startsWith(kStartSuffix))",
     "if (space <= idStart)", "test_core", "PerspectiveMarkdown*", "a broken start marker read as a block"),
    ("src/core/perspective_markdown.cpp", "        start = text.indexOf(kStartPrefix, end + kEndMarker.size());",
     "        start = text.indexOf(kStartPrefix, start + 1);", "test_core", "PerspectiveMarkdown*",
     "a marker quoted inside an answer read as a block"),
    # ---- app: note editing and other editors
    ("src/app/note_editing.cpp", "    if (stamp && !isKnown(path, stamp)) {\n        handleChangedFile(",
     "    if (false) {\n        handleChangedFile(", "test_app",
     "NoteEditingTest*:ExternalEditsTest*:ConflictTest*:ForeignEditTest*", "a save writes over another editor's change"),
    ("src/app/note_editing.cpp", "    if (mode == FlushMode::interactive) {\n        raiseConflict(text, *fileText);",
     "    if (false) {\n        raiseConflict(text, *fileText);", "test_app",
     "NoteEditingTest*:ExternalEditsTest*:ConflictTest*:ForeignEditTest*", "no conflict offered while typing"),
    ("src/app/note_editing.cpp", "    if (path == m_notePath && hasUnsavedText()) {",
     "    if (false) {", "test_app", "NoteEditingTest*:RecoveryTest*:ExternalEditsTest*",
     "a reload replaces text whose save failed"),
    ("src/app/note_editing.cpp", "    if (!hasUnsavedText() || m_notePath.isEmpty()) {\n        dropRecovery();\n        return true;\n    }\n    // Text whose",
     "    if (true) {\n        dropRecovery();\n        return true;\n    }\n    // Text whose", "test_app",
     "NoteEditingTest*:RecoveryTest*:ConflictOfLeftDayTest*", "leaving a day drops its unsaved text"),
    ("src/app/external_edits.cpp", "    if (m_noteText == m_lastSyncedNoteText) {\n        // A save still waiting",
     "    if (true) {\n        // A save still waiting", "test_app",
     "ExternalEditsTest*:ConflictTest*:ForeignEditTest*", "another editor's change replaces typed text"),
    ("src/app/external_edits.cpp", "    auto copy = writePreservedCopy(m_notePath, local);",
     "    auto copy = writePreservedCopy(m_notePath, external);", "test_app",
     "ExternalEditsTest*:ConflictTest*:ForeignEditTest*:ConflictOfLeftDayTest*", "keep-both copies the wrong side"),
    ("src/app/external_edits.cpp", "    return fileText ? *fileText : fallback;", "    return fallback;",
     "test_app", "ExternalEditsTest*:ConflictTest*:ForeignEditTest*", "a newer change made during a conflict lost"),
    ("src/app/external_edits.cpp", "for (int counter = 2; QFileInfo::exists(path); ++counter)",
     "for (int counter = 2; false; ++counter)", "test_app",
     "ExternalEditsTest*:ConflictTest*:ConflictOfLeftDayTest*:RecoveryTest*", "a second copy in the same second replaces the first"),
    # ---- app: recovery store
    ("src/app/recovery.cpp", "    if (note && *note == entry.text)\n        return true;",
     "    if (note)\n        return true;", "test_app", "RecoveryTest*", "recovered text dropped because its note exists"),
    ("src/app/recovery.cpp", "    if (!m_recoveryFile.isEmpty() && m_recoveryFileText == m_noteText)\n        return true;",
     "    if (!m_recoveryFile.isEmpty())\n        return true;", "test_app", "RecoveryTest*:NoteEditingTest*",
     "the recovery file keeps older text than the editor"),
    ("src/app/recovery.cpp", "        (void)m_recovery.remove(entry.file);\n        ++copies;",
     "        ++copies;", "test_app", "RecoveryTest*", "a recovered text copied again at every start"),
    ("src/core/recovery_store.cpp", "        ::chmod(QFile::encodeName(m_folder).constData(), 0700);", "",
     "test_app", "RecoveryTest*", "unsaved text readable by other users"),
    # ---- app: perspectives take-over, flows file refusal
    ("src/app/perspectives.cpp", "        if (keepTheirs && entries != theirs) {", "        if (false) {",
     "test_app", "Perspectives*", "another editor's answer overwritten without a copy"),
    ("src/app/perspectives.cpp", "path != m_knownPerspectivesPath || *current != m_knownPerspectivesText;",
     "path != m_knownPerspectivesPath;", "test_app", "Perspectives*", "another editor's perspectives not taken over"),
    ("src/app/habits_flows.cpp", "    if (!onDisk) {\n        setErrorMessage(onDisk.error().message + u' ' +",
     "    if (false) {\n        setErrorMessage(onDisk.error().message + u' ' +", "test_app", "HabitsFlows*",
     "an unreadable flows file is written over"),
    # ---- app: habits and flows
    ("src/app/habits_flows.cpp", "if (habits && core::HabitMarkdown::completed(flow.id, *habits).value_or(false))\n                return true;",
     "if (habits)\n                return true;", "test_app", "HabitsFlows*", "weekly habit shown done on empty days"),
    ("src/app/habits_flows.cpp", "        if (!habits) {\n            // A habits file",
     "        if (false) {\n            // A habits file", "test_app", "HabitsFlows*",
     "an unreadable habits file is replaced by one line"),
    ("src/app/habits_flows.cpp", "        setFlows(flows);\n        saveFlows();\n    }\n    announceChange();",
     "        setFlows(flows);\n    }\n    announceChange();", "test_app", "HabitsFlows*",
     "a toggled flow's time stamp never reaches flows.json"),
    # ---- app: perspectives
    ("src/app/perspectives.cpp", "    if (!current) {", "    if (false) {", "test_app", "Perspectives*",
     "an unreadable perspectives file is overwritten"),
    ("src/app/perspectives.cpp", "found->response = response;", "(void)response;", "test_app",
     "Perspectives*",
     "answers are not stored"),
    # ---- app: migration
    ("src/app/migration.cpp", "if (!existingLines.contains(line) && !added.contains(line))",
     "if (!added.contains(line))", "test_app", "Migration*", "habit lines duplicated on merge"),
    ("src/app/migration.cpp", "if (line == prompt || line == record.journalPrompt) {",
     "if (line == record.journalPrompt) {", "test_app", "Migration*", "translated prompts not recognised"),
    # ---- app: search
    ("src/app/search_text.cpp", "if (c >= u'A' && c <= u'Z')", "if (c >= u'B' && c <= u'Z')",
     "test_app", "SearchText*:JournalIndex*:SearchActivity*", "capital A not folded"),
    ("src/app/search_text.cpp", "if (c.category() != QChar::Mark_NonSpacing)", "if (true)",
     "test_app", "SearchText*:JournalIndex*:SearchActivity*", "accents no longer ignored"),
    # ---- faults that tests once unable to fail now catch
    ("src/update/updater.cpp", "    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,\n"
     "                         QNetworkRequest::AlwaysNetwork);\n", "", "test_update", "UpdaterCheck*",
     "a second update check answered from a stale cache"),
    ("src/core/perspective_catalogue.cpp", "\"Where would I like to make room for a walk?\"",
     "\"Where would I make room for a walk?\"", "test_core", "PerspectiveCatalogue*",
     "the last perspective's prompt changed, so older notes no longer match it"),
    ("src/app/calendar.cpp", "(the window closed meanwhile).\n    QPointer<AppModel> self(this);",
     "(the window closed meanwhile).\n    AppModel *self = this;", "test_app", "CalendarModelTest*",
     "a calendar access answer written into a closed window's model"),
    ("src/app/habits_flows.cpp", "        saveFlows();\n    }\n    announceChange();\n}",
     "        saveFlows();\n    }\n}", "test_app", "HabitsFlowsTest*",
     "a habit mark shown only after some other change"),
]


def run(command, **kwargs):
    return subprocess.run(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, **kwargs)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", default="build-mutants")
    parser.add_argument("--only", help="comma-separated fault numbers (1-based)")
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--markdown", help="also write the report here")
    parser.add_argument("--map", action="store_true",
                        help="run every binary named and list the failing tests of each fault")
    parser.add_argument("--timeout", type=int, default=600, help="seconds per test run")
    args = parser.parse_args()

    chosen = list(enumerate(MUTANTS, 1))
    if args.only:
        wanted = {int(n) for n in args.only.split(",")}
        chosen = [(n, m) for n, m in chosen if n in wanted]
    if args.list:
        for n, (path, _, _, binary, flt, why) in chosen:
            print(f"{n:3} {path:34} {binary:10} {why}")
        return 0

    build = ROOT / args.build_dir
    if not (build / "build.ninja").exists():
        # Without optimisation or debug information, and linked by lld, a fault costs one
        # quick compile and a link of a few seconds.
        run(["cmake", "--preset", "default", "-B", str(build), "-DCMAKE_BUILD_TYPE=Debug",
             "-DCMAKE_CXX_FLAGS_DEBUG=-O0 -g0", "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld",
             "-DCMAKE_SHARED_LINKER_FLAGS=-fuse-ld=lld"], check=True)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LC_ALL="C.UTF-8", LANG="C.UTF-8")

    binaries = sorted({b for _, m in chosen for b in m[3].split(",")})
    print("baseline: building", " ".join(binaries), flush=True)
    result = run(["cmake", "--build", str(build), "--target", *binaries])
    if result.returncode != 0:
        print(result.stdout[-4000:])
        return 2
    for binary in binaries:
        if run([str(build / "tests" / binary)], env=env, timeout=args.timeout).returncode != 0:
            print(f"baseline: {binary} fails without any fault; fix that first")
            return 2

    rows = []
    started = time.monotonic()
    for n, (path, original, faulty, binary, flt, why) in chosen:
        file = ROOT / path
        text = file.read_text(encoding="utf-8")
        if text.count(original) != 1:
            rows.append((n, path, why, "stale"))
            print(f"{n:3} stale      {path}: {why}", flush=True)
            continue
        try:
            file.write_text(text.replace(original, faulty, 1), encoding="utf-8")
            verdict = "MISSED"
            failing = []
            for name in binary.split(","):
                if run(["cmake", "--build", str(build), "--target", name]).returncode != 0:
                    verdict = "invalid"
                    break
                command = [str(build / "tests" / name)]
                if flt:
                    # Parameterized suites carry a prefix ("Rows/NameTest.case/0").
                    patterns = flt if flt.startswith("-") else ":".join(
                        "*" + p.lstrip("*") for p in flt.split(":"))
                    command.append(f"--gtest_filter={patterns}")
                try:
                    result = run(command, env=env, timeout=args.timeout)
                    if result.returncode != 0:
                        verdict = "caught"
                        failing += re.findall(r"^\[  FAILED  \] (\S+)", result.stdout, re.M)
                except subprocess.TimeoutExpired:
                    verdict = "caught"  # a hang is noticed too
                    failing.append(f"{name} (hung)")
                if verdict == "caught" and not args.map:
                    break
        finally:
            file.write_text(text, encoding="utf-8")
        rows.append((n, path, why, verdict))
        print(f"{n:3} {verdict:10} {path}: {why}", flush=True)
        if args.map:
            # A fault that only one test notices marks that test as one to keep.
            for test in sorted(set(failing)):
                print(f"      {test}", flush=True)
    run(["cmake", "--build", str(build), "--target", *binaries])  # match the sources again

    scored = [r for r in rows if r[3] in ("caught", "MISSED")]
    caught = sum(1 for r in scored if r[3] == "caught")
    share = 100.0 * caught / len(scored) if scored else 0.0
    minutes = (time.monotonic() - started) / 60
    summary = (f"{caught} of {len(scored)} faults caught ({share:.0f}%), "
               f"{len(rows) - len(scored)} stale or invalid, {minutes:.1f} min")
    print(summary)
    if args.markdown:
        lines = ["| # | file | fault | verdict |", "|---|---|---|---|"]
        lines += [f"| {n} | {p} | {w} | {v} |" for n, p, w, v in rows]
        pathlib.Path(args.markdown).write_text("\n".join(lines) + "\n\n" + summary + "\n")
    return 0 if all(r[3] != "MISSED" for r in rows) else 1


if __name__ == "__main__":
    sys.exit(main())
