#pragma once
// Parsing of stored form descriptions in the component library's text format into a tree:
//   object Name: TClass            (or "inherited Name: TClass", "inline Name: TClass")
//     Prop = 12  / -3 / $FF / 1.5 / 'text'#13#10'more' + 'joined' / Ident / [a, b]
//     Sub.Prop = ( 'line' 'line' )  /  { 0A1B... }  /  < item Prop = 1 end item end >
//     object Child: TClass ... end
//   end
// Syntax errors raise EReadError naming the line.
#include <cstdint>
#include <string>
#include <vector>

enum TValueType { vaNull, vaList, vaInt, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary, vaSet, vaNil, vaCollection };

struct TFormProp;

struct TFormItem {
    int Line = 0;
    std::vector<TFormProp> Props;
};

struct TFormValue {
    TValueType Type = vaNull;
    int Line = 0;
    std::int64_t Int = 0;
    double Float = 0;
    std::string Str; // string (UTF-8), identifier, or the bytes of binary data
    std::vector<std::string> Set;
    std::vector<TFormValue> List;
    std::vector<TFormItem> Items;
};

struct TFormProp {
    std::string Path; // "Font.Style"
    int Line = 0;
    TFormValue Value;
};

enum TFormObjectKind { fkObject, fkInherited, fkInline };

struct TFormObject {
    TFormObjectKind Kind = fkObject;
    std::string Name;
    std::string ClassName;
    int Line = 0;
    int EndLine = 0; // the line of its "end"
    std::vector<TFormProp> Props;
    std::vector<TFormObject> Children;
};

TFormObject ParseFormText(const std::string& Text);
