-- Chooses what one document made from the manual's source holds. The
-- metadata field "target" names it: "man" (the man page), "help" (one
-- page of the help, the level-1 section whose identifier is in "page"),
-- or "readme" (the Windows readme: the level-1 sections with class
-- "readme").
--   ::: {only="man help"}   a division only these targets keep
--   # Title {#id man="NAME"}  a level-1 section; the man page heads it NAME
-- Examples are written for each platform: a code block whose first line
-- begins with "$ " is a POSIX shell's (the man page shows it, and the help
-- on its Linux page), one that begins with "> " a Windows command
-- prompt's (the help and the readme show it). A command written inline,
-- `korvatex ...`, is written as a POSIX shell takes it; the help (but its
-- Linux page) and the readme write it as the command prompt does.
-- Links to "#id" lead to the help page that holds id, in the help. The man
-- page writes a link named after a help page as the heading of its own
-- section that holds it; the readme writes one named after a page it lacks
-- as the metadata field "help-page" words it, the page's title for its %s.
local target, page, help_page = "man", nil, "%s"
local page_of, title_of, man_of = {}, {}, {}
local kept_pages = {}

local function keeps(attr)
  local only = attr.attributes["only"]
  if not only then return true end
  for word in only:gmatch("%S+") do
    if word == target then return true end
  end
  return false
end

local function drop_unkept(blocks)
  local kept = pandoc.List()
  for _, block in ipairs(blocks) do
    if block.t == "Div" then
      if keeps(block.attr) then
        kept:extend(drop_unkept(block.content))
      end
    else
      kept:insert(block)
    end
  end
  return kept
end

-- The level-1 sections a target keeps, the others left out.
local function sections(blocks)
  local kept, keep = pandoc.List(), target == "man"
  local current = nil
  for _, block in ipairs(blocks) do
    if block.t == "Header" and block.level == 1 then
      current = block.identifier
      title_of[current] = pandoc.utils.stringify(block.content)
      man_of[current] = block.attributes["man"]
      if target == "help" then
        keep = current == page
      elseif target == "readme" then
        keep = block.classes:includes("readme")
      end
      if target == "man" and block.attributes["man"] then
        block.content = pandoc.Inlines(block.attributes["man"])
      end
    end
    if block.t == "Header" and current then page_of[block.identifier] = current end
    if keep then
      kept:insert(block)
      if current then kept_pages[current] = true end
    end
  end
  return kept
end

local function link(element)
  local id = element.target:match("^#(.+)$")
  if not id then return element end
  local home = page_of[id] or id
  if target == "help" then
    element.target = home == id and (home .. ".htm") or (home .. ".htm#" .. id)
    return element
  end
  -- A link named after a help page refers to it as a place to read on.
  -- (A title that is also the man page's heading names a thing, as
  -- 元素レポート does, and is left as it is.)
  if pandoc.utils.stringify(element.content) == title_of[home] and title_of[home] ~= man_of[home] then
    local name = target == "man" and man_of[home] or title_of[home]
    if target == "readme" then
      if kept_pages[home] then return element.content end
      return pandoc.Inlines(pandoc.Str((help_page:gsub("%%s", function() return name end))))
    end
    if name then
      -- An English section's heading is set apart by its capitals; a
      -- Japanese name is quoted, as Japanese text quotes a title.
      if name:match("[\128-\255]") then return pandoc.Inlines(pandoc.Str("「" .. name .. "」")) end
      return pandoc.Inlines(pandoc.Str(name))
    end
  end
  return element.content
end

-- A line break of the source, or a blank, next to Japanese punctuation, or
-- between two Japanese words, is no space in Japanese: it is dropped ("。
-- Linux" becomes "。Linux").
-- The marks come from punctuation.txt, beside this filter.
local closing, opening = {}, {}
do
  local folder = PANDOC_SCRIPT_FILE:match("^(.*)/[^/]*$") or "."
  for line in io.lines(folder .. "/punctuation.txt") do
    local kind, marks = line:match("^(%a+) (.+)$")
    local list = kind == "closing" and closing or kind == "opening" and opening or nil
    if list then
      for _, code in utf8.codes(marks) do table.insert(list, utf8.char(code)) end
    end
  end
end
local function ends_with_any(text, marks)
  for _, mark in ipairs(marks) do
    if text:sub(-#mark) == mark then return true end
  end
  return false
end
local function starts_with_any(text, marks)
  for _, mark in ipairs(marks) do
    if text:sub(1, #mark) == mark then return true end
  end
  return false
end
local function japanese(code) return code >= 0x3000 and code <= 0x9FFF end
local function japanese_end(text)
  local last = nil
  for _, code in utf8.codes(text) do last = code end
  return last ~= nil and japanese(last)
end
local function japanese_start(text)
  local first = text ~= "" and utf8.codepoint(text, 1) or nil
  return first ~= nil and japanese(first)
end
local function tight(inlines)
  local kept = pandoc.List()
  for i, inline in ipairs(inlines) do
    local gap = inline.t == "Space" or inline.t == "SoftBreak"
    local before, after = inlines[i - 1], inlines[i + 1]
    if gap and ((before and before.t == "Str" and ends_with_any(before.text, closing)) or
                (after and after.t == "Str" and starts_with_any(after.text, opening)) or
                (before and after and before.t == "Str" and after.t == "Str" and
                 japanese_end(before.text) and japanese_start(after.text))) then
      -- dropped
    else
      kept:insert(inline)
    end
  end
  return kept
end

-- A POSIX command line as a Windows command prompt takes it: the program
-- is korvatex.exe, and an argument quoted for the shell is quoted with
-- double quotes where the prompt needs it (a bracket, a blank, & | < > ^),
-- else bare ("/?" is /?).
local function windows_command(text)
  local words = pandoc.List()
  local rest = text
  while rest ~= "" do
    local quote, inner, after = rest:match("^(['\"])(.-)%1(.*)$")
    if quote then
      if inner == "" or inner:match("[%(%)%[%]&|<>%^ ]") then inner = '"' .. inner .. '"' end
      words:insert(inner)
      rest = after
    else
      local word
      word, rest = rest:match("^(%S+)(.*)$")
      words:insert(word == "korvatex" and "korvatex.exe" or word)
    end
    rest = rest:gsub("^%s+", "")
  end
  return table.concat(words, " ")
end

-- Whether a document shows commands as a Windows command prompt takes
-- them: the readme, and every page of the help but the Linux one.
local function windows_document()
  return target == "readme" or (target == "help" and page ~= "linux")
end

local function command(code)
  if target == "man" then
    -- In the man page a command written inline is never broken across
    -- lines: its blanks do not break.
    code.text = code.text:gsub(" ", "\u{a0}")
  elseif windows_document() and code.text:match("^korvatex ") and not code.text:match(" %-%a") and
         not code.text:match(" %-%-") and
         not code.text:match("|") and not code.text:match("@PROJECT_VERSION@") then
    -- A command of both programs (the options, a "-" and a letter, are the
    -- Linux program's; "-26" is an element argument; "korvatex VERSION" is
    -- what --version prints).
    code.text = windows_command(code.text)
  end
  return code
end

-- An example belongs to the documents of its platform.
local function example(block)
  local windows, posix = block.text:match("^> "), block.text:match("^%$ ")
  if (windows and target == "man") or (posix and windows_document()) then return {} end
  return block
end

-- A superscript (cm^3^) is HTML's; the man page writes the superscript
-- digit, the readme, which must stay CP932, a caret.
local superscript_digits = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"}
local function superscript(element)
  local text = pandoc.utils.stringify(element)
  if target == "man" then
    return pandoc.Str((text:gsub("%d", function(d) return superscript_digits[tonumber(d) + 1] end)))
  elseif target == "readme" then
    return pandoc.Str("^" .. text)
  end
  return element
end

-- The readme is read in Notepad: its lines are wrapped at 78 columns, a
-- wide (Japanese) character counted as two. pandoc breaks lines only at
-- blanks, and Japanese has none: a line is broken at a blank, or between
-- two characters one of which is wide, but never before a closing mark,
-- after an opening one, or inside a word written in katakana.
local width = 78
local function wide(code)
  return (code >= 0x1100 and code <= 0x115F) or (code >= 0x2E80 and code <= 0xA4CF) or
         (code >= 0xAC00 and code <= 0xD7A3) or (code >= 0xF900 and code <= 0xFAFF) or
         (code >= 0xFE30 and code <= 0xFE4F) or (code >= 0xFF00 and code <= 0xFF60) or
         (code >= 0xFFE0 and code <= 0xFFE6)
end
local function katakana(code) return code >= 0x30A0 and code <= 0x30FF end
local function member(code, marks)
  local char = utf8.char(code)
  for _, mark in ipairs(marks) do if mark == char then return true end end
  return false
end
local function breakable(before, after)
  if after == 32 then return true end
  if before == 32 then return false end
  if not (wide(before) or wide(after)) then return false end
  return not (member(after, closing) or member(before, opening) or
              (katakana(before) and katakana(after)))
end
local function wrap_text(text, columns)
  local codes = {}
  for _, code in utf8.codes(text) do codes[#codes + 1] = code end
  local lines, start = {}, 1
  while true do
    local used, cut = 0, nil
    for i = start, #codes do
      used = used + (wide(codes[i]) and 2 or 1)
      if used > columns then break end
      if i == #codes then cut = nil; used = -1; break end
      if i > start and breakable(codes[i], codes[i + 1]) and
         not (codes[i + 1] == 32 and member(codes[i + 2] or 0, closing)) then
        cut = i
      end
    end
    if used == -1 or not cut then
      lines[#lines + 1] = utf8.char(table.unpack(codes, start, #codes))
      break
    end
    lines[#lines + 1] = (utf8.char(table.unpack(codes, start, cut)):gsub(" +$", ""))
    start = cut + 1
    while codes[start] == 32 do start = start + 1 end
    if start > #codes then break end
  end
  return lines
end
local function wrapped(inlines, indent)
  local text = pandoc.write(pandoc.Pandoc({pandoc.Plain(inlines)}), "plain", {wrap_text = "none"})
  text = text:gsub("\n+$", "")
  local result = pandoc.Inlines({})
  for i, line in ipairs(wrap_text(text, width - indent)) do
    if i > 1 then result:insert(pandoc.LineBreak()) end
    result:insert(pandoc.Str(line))
  end
  return result
end
-- Each block under the indent pandoc's plain text gives it: four columns
-- for a list item or a definition.
local function wrap_blocks(blocks, indent)
  for _, block in ipairs(blocks) do
    if block.t == "Para" or block.t == "Plain" then
      block.content = wrapped(block.content, indent)
    elseif block.t == "BulletList" or block.t == "OrderedList" then
      for _, item in ipairs(block.content) do wrap_blocks(item, indent + 4) end
    elseif block.t == "DefinitionList" then
      for _, entry in ipairs(block.content) do
        entry[1] = wrapped(entry[1], indent)
        for _, definition in ipairs(entry[2]) do wrap_blocks(definition, indent + 4) end
      end
    elseif block.t == "Div" or block.t == "BlockQuote" then
      wrap_blocks(block.content, indent + (block.t == "BlockQuote" and 4 or 0))
    end
  end
  return blocks
end

-- The man page's Japanese macros never break a line before a katakana
-- character (man.template), which keeps a katakana word whole; a line may
-- still break after closing punctuation, before such a word.
local function breaks_after_closing(str)
  local pieces, text = pandoc.List(), str.text
  local start = 1
  for at, code in utf8.codes(text) do
    if member(code, closing) then
      local after = at + #utf8.char(code)
      pieces:insert(pandoc.Str(text:sub(start, after - 1)))
      pieces:insert(pandoc.RawInline("man", "\\:"))
      start = after
    end
  end
  if start == 1 then return str end
  if start <= #text then pieces:insert(pandoc.Str(text:sub(start))) end
  return pieces
end

function Pandoc(doc)
  target = pandoc.utils.stringify(doc.meta.target or "man")
  page = doc.meta.page and pandoc.utils.stringify(doc.meta.page)
  help_page = doc.meta["help-page"] and pandoc.utils.stringify(doc.meta["help-page"]) or help_page
  -- Every identifier is known (page_of) before links are mended.
  local blocks = sections(drop_unkept(doc.blocks))
  blocks = pandoc.Blocks(blocks):walk({Link = link, Inlines = tight, Code = command,
                                       CodeBlock = example, Superscript = superscript})
  if target == "readme" then blocks = wrap_blocks(blocks, 0) end
  if target == "man" then blocks = blocks:walk({Str = breaks_after_closing}) end
  return pandoc.Pandoc(blocks, doc.meta)
end
