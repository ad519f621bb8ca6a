#pragma once
// Base of the line-oriented file filters: reads one text record at a time from
// a stream and offers keyword lookups and fixed-column fields on records.

class UStream;

// The merged sub-file whose lines GetMergeRecord returns ("#@1" to "#@4").
enum FileMergeType { fmFile1 = 0, fmFile2 = 1, fmFile3 = 2, fmFile4 = 3 };

// Tags of skeleton and merged files, indices 0 to 7, closed by a null entry.
extern const char* skeletontags[];

class UFilter {
public:
    UFilter(UStream* stream, bool caseSensitive);
    virtual ~UFilter();

    void SetInputStream(UStream* stream) { input = stream; }
    void SetOutputStream(UStream* stream) { output = stream; }

    // Reads the next line into buf (at most len characters, buf holds len + 1),
    // tabs turned into blanks; 25001 at the end of the input. Returns the
    // length of the line as strlen gives it.
    long GetRecord(char* buf, long len);
    long GetSkeletonRecord(char* buf, long len);
    void GetMergeRecord(char* buf, long len, FileMergeType type);
    void PutRecord(const char* text);

    // Exponent letters (eEdDfFgG) become 'e'; for numeric fields only.
    void AdjustExpChars(char* s) const;

    // True when the texts DIFFER.
    bool MemCmp(const char* a, const char* b, long n) const;
    bool StrCmp(const char* a, const char* b) const;

    bool MatchesFromStart(const char* line, const char* pattern) const;
    void RemoveStart(char* line, const char* prefix) const;
    bool Matches(const char* line, const char* pattern) const;
    bool MatchesFull(const char* line, const char* pattern) const;

    // Keyword tables end with a null pointer or an empty string; -1 when not found.
    long GetNamedValue(const char* s, const char** names) const;
    long GetNamedStart(const char* s, const char** names) const;

    // A field is len characters of line from column start, cut at the line's end.
    bool TestField(const char* line, long start, long len) const;
    void GetField(const char* line, long start, long len, char* out) const;
    long GetIntField(const char* line, long start, long len) const;
    double GetDoubleField(const char* line, long start, long len) const;

protected:
    UStream* input;
    UStream* output;
    bool caseSensitive;
};
