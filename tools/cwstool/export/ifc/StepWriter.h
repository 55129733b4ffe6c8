// StepWriter.h - a small writer of STEP physical files (ISO 10303-21, "clear text encoding of the
// exchange structure"): the header, entity instances numbered in the order they are added, and the
// spelling of each kind of attribute value. It knows the file's syntax, no schema: the IFC export
// (IfcExport.cpp) decides which entities and attributes there are.
// Tool layer; the text is ASCII whatever the names hold, lines end in LF.
//
//   ISO-10303-21;
//   HEADER;
//   FILE_DESCRIPTION(('ViewDefinition [ReferenceView_V1.2]'),'2;1');
//   FILE_NAME('house.ifc','2026-12-08T00:25:00+00:00',(''),(''),'... - cwstool - 1.2.0','... - cwstool - 1.2.0','');
//   FILE_SCHEMA(('IFC4'));
//   ENDSEC;
//   DATA;
//   #1=IFCBUILDINGSTOREY('2Vt$Oq9w55yeOb5eZxDH8n',$,'1\X2\968E\X0\',$,$,#40,$,$,.ELEMENT.,610.);
//   ...
//   ENDSEC;
//   END-ISO-10303-21;
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace cwstool::step {

// One attribute value, spelt as it stands in the file.
struct Value {
    std::string text;
};

// 'text': a quote doubled, a backslash doubled, and every character outside printable ASCII in the
// standard's control directives, a run of them at a time: \X2\ with four upper-case hex digits per
// character of the Basic Multilingual Plane ("階" is \X2\968E\X0\), \X4\ with eight for the others.
// Bytes that are not UTF-8 become U+FFFD.
Value string(std::string_view utf8);
// A REAL: always with a decimal point, the shortest digits that read back as the same double: "610.",
// "0.5", "1.E-05". The value must be finite (STEP has no spelling for NaN or infinity).
Value real(double value);
Value integer(long value);
Value enumeration(std::string_view name);  // .ELEMENT.
Value reference(int id);                   // #12
Value list(const std::vector<Value>& items);
Value list(std::initializer_list<Value> items);
// '$': an optional attribute without a value.
Value unset();
// '*': an attribute a subtype derives, so that the file gives no value.
Value derived();

struct Header {
    std::string description;           // FILE_DESCRIPTION's one line: "ViewDefinition [...]"
    std::string name;                  // FILE_NAME: the exchange structure's name, usually the file's
    std::string timeStamp;             // ISO 8601; "" for none
    std::string preprocessorVersion;   // the system that wrote the file
    std::string originatingSystem;
    std::string schema;                // "IFC4"
};

// A STEP file written as it is produced: begin() writes the header, add() each instance, end() the
// trailer. With a stream the text goes out in blocks of about 64 KiB, so that the file's size does not
// weigh on memory; without one it is kept, whole, for text().
class File {
public:
    explicit File(std::FILE* out = nullptr) : m_out(out) {}

    void begin(const Header& header);

    // Adds an entity instance `#n=TYPE(attributes);` and returns its n, counted from 1 in the order
    // of adding. `type` is written as given (upper case in IFC files).
    int add(std::string_view type, std::initializer_list<Value> attributes);
    int add(std::string_view type, const std::vector<Value>& attributes);

    // The trailer; with a stream, the last block written.
    void end();

    // Without a stream: everything written so far.
    const std::string& text() const { return m_text; }
    // With a stream: a block that could not be written whole (the stream's error says why).
    bool failed() const { return m_failed; }

private:
    void flush(bool always);

    std::FILE* m_out;
    std::string m_text;  // without a stream all of it, with one the block not yet written
    int m_count = 0;
    bool m_failed = false;
};

}  // namespace cwstool::step
