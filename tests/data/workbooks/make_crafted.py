#!/usr/bin/env python3
"""Writes the crafted workbooks of this folder: what a spreadsheet program never writes
(inline strings, boolean cells, cells without references) and hostile files. The other
workbooks (lista.*) were made from lista.fods with LibreOffice Calc:
soffice --headless --convert-to xlsx|ods|xls lista.fods"""
import zipfile

NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
R_NS = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"


def xlsx(name, sheet_xml, shared=None):
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        z.writestr("[Content_Types].xml", '<?xml version="1.0"?><Types xmlns="http://schemas.'
                   'openxmlformats.org/package/2006/content-types"/>')
        z.writestr("_rels/.rels", f'<Relationships xmlns="http://schemas.openxmlformats.org/'
                   f'package/2006/relationships"><Relationship Id="rId1" Type="{REL}/'
                   'officeDocument" Target="xl/workbook.xml"/></Relationships>')
        z.writestr("xl/workbook.xml", f'<workbook {NS} {R_NS}><sheets><sheet name="Lista" '
                   'sheetId="1" r:id="rId1"/></sheets></workbook>')
        rels = f'<Relationship Id="rId1" Type="{REL}/worksheet" Target="worksheets/sheet1.xml"/>'
        if shared is not None:
            rels += f'<Relationship Id="rId2" Type="{REL}/sharedStrings" Target="/xl/shared.xml"/>'
            z.writestr("xl/shared.xml", shared)
        z.writestr("xl/_rels/workbook.xml.rels", '<Relationships xmlns="http://schemas.'
                   f'openxmlformats.org/package/2006/relationships">{rels}</Relationships>')
        z.writestr("xl/worksheets/sheet1.xml", sheet_xml)


def ods(name, content, manifest_extra="", mime="application/vnd.oasis.opendocument.spreadsheet"):
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        z.writestr(zipfile.ZipInfo("mimetype"), mime)
        z.writestr("META-INF/manifest.xml", '<manifest:manifest xmlns:manifest="urn:oasis:'
                   'names:tc:opendocument:xmlns:manifest:1.0"><manifest:file-entry manifest:'
                   f'full-path="content.xml">{manifest_extra}</manifest:file-entry>'
                   '</manifest:manifest>')
        z.writestr("content.xml", '<office:document-content xmlns:office="urn:oasis:names:tc:'
                   'opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:'
                   'xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0">'
                   f'<office:body><office:spreadsheet>{content}</office:spreadsheet></office:body>'
                   '</office:document-content>')


def sheet(rows):
    return f'<worksheet {NS}><sheetData>{rows}</sheetData></worksheet>'


def inline(text):
    return f'<c t="inlineStr"><is><t>{text}</t></is></c>'


# Inline strings (one in rich-text runs with a phonetic hint), boolean cells, cells and rows
# without references, a stored 0.30000000000000004, a shared string index.
xlsx("celulas.xlsx", sheet(
    '<row>' + inline("codigo") + inline("nome") + inline("preco") + inline("preco_fixo") +
    inline("departamento") + '</row>'
    '<row><c><v>3</v></c><c t="inlineStr"><is><r><t>LE</t></r><r><t>ITE</t></r>'
    '<rPh><t>X</t></rPh></is></c><c><v>0.30000000000000004</v></c><c t="b"><v>1</v></c>'
    '<c><v>2</v></c></row><row r="5"><c r="A5"><v>4.0</v></c><c r="B5" t="s"><v>0</v></c>'
    '<c r="C5" t="str"><v>2,00</v></c><c r="D5" t="b"><v>0</v></c><c r="E5"><v>16</v></c></row>'),
    shared=f'<sst {NS}><si><t>OVO</t></si></sst>')
# A price with a third decimal that does not round away.
xlsx("tres_decimais.xlsx", sheet(
    '<row>' + inline("codigo") + inline("preco") + '</row><row><c><v>8</v></c><c><v>12.345</v>'
    '</c></row>'))
# An entity expansion attack in the sheet.
xlsx("entidades.xlsx", '<?xml version="1.0"?><!DOCTYPE worksheet [<!ENTITY a "aaaaaaaaaa">'
     '<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">]>'
     + sheet('<row>' + inline("codigo") + '</row><row>' + inline("&c;") + '</row>'))
# A zip bomb: 40 MB of blanks inside the sheet, some 40 kB compressed.
xlsx("bomba.xlsx", f'<worksheet {NS}><sheetData>' + ' ' * (40 << 20) + '</sheetData></worksheet>')

TITLE = ('<table:table-row><table:table-cell office:value-type="string"><text:p>codigo</text:p>'
         '</table:table-cell><table:table-cell office:value-type="string"><text:p>preco</text:p>'
         '</table:table-cell><table:table-cell office:value-type="string"><text:p>nome</text:p>'
         '</table:table-cell><table:table-cell office:value-type="string"><text:p>departamento'
         '</text:p></table:table-cell></table:table-row>')
PRODUCT = ('<table:table-cell office:value-type="float" office:value="9"/>'
           '<table:table-cell office:value-type="currency" office:value="1.5"/>'
           '<table:table-cell><text:p>CH<text:span>A</text:span></text:p></table:table-cell>'
           '<table:table-cell office:value-type="percentage" office:value="3"/>')
# Huge counts of repeated empty rows and cells, then one product far below.
ods("repetidas.ods", '<table:table table:name="Grande">' + TITLE +
    '<table:table-row table:number-rows-repeated="1048570"><table:table-cell '
    'table:number-columns-repeated="16384"/></table:table-row><table:table-row>' + PRODUCT +
    '<table:table-cell table:number-columns-repeated="16380"/></table:table-row></table:table>')
# A product row repeated a million times.
ods("linha_repetida.ods", '<table:table table:name="Grande">' + TITLE +
    '<table:table-row table:number-rows-repeated="1048576">' + PRODUCT +
    '</table:table-row></table:table>')
# Protected by a password.
ods("senha.ods", '<table:table table:name="A"/>', manifest_extra='<manifest:encryption-data/>')
# Nothing in any sheet.
ods("vazia.ods", '<table:table table:name="A"><table:table-row><table:table-cell/>'
    '</table:table-row></table:table><table:table table:name="B"/>')
# Another kind of document in the same packaging.
ods("texto.odt", "", mime="application/vnd.oasis.opendocument.text")
