-- Chooses what one document made from the manual's source holds. The
-- metadata field "target" names it: "man" (the man page), "help" (one
-- page of the help, the level-1 section whose identifier is in "page"),
-- or "readme" (the Windows readme: the level-1 sections with class
-- "readme").
--   ::: {only="man help"}   a division only these targets keep
--   # Title {#id man="NAME"}  a level-1 section; the man page heads it NAME
-- Links to "#id" lead to the help page that holds id, in the help; the man
-- page and the readme keep their text only.
local target, page = "man", nil
local page_of = {}

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
    if keep then kept:insert(block) end
  end
  return kept
end

local function link(element)
  local id = element.target:match("^#(.+)$")
  if not id then return element end
  if target ~= "help" then return element.content end
  local home = page_of[id] or id
  element.target = home == id and (home .. ".htm") or (home .. ".htm#" .. id)
  return element
end

-- A line break of the source, or a blank, next to Japanese punctuation is
-- no space in Japanese: it is dropped ("。 Linux" becomes "。Linux").
local closing = {"。", "、", "，", "．", "）", "」", "』", "］", "：", "；", "！", "？"}
local opening = {"（", "「", "『", "［"}
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
local function tight(inlines)
  local kept = pandoc.List()
  for i, inline in ipairs(inlines) do
    local gap = inline.t == "Space" or inline.t == "SoftBreak"
    local before, after = inlines[i - 1], inlines[i + 1]
    if gap and ((before and before.t == "Str" and ends_with_any(before.text, closing)) or
                (after and after.t == "Str" and starts_with_any(after.text, opening))) then
      -- dropped
    else
      kept:insert(inline)
    end
  end
  return kept
end

-- In the man page a command written inline is never broken across lines:
-- its blanks do not break.
local function unbroken(code)
  if target == "man" then code.text = code.text:gsub(" ", "\u{a0}") end
  return code
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

function Pandoc(doc)
  target = pandoc.utils.stringify(doc.meta.target or "man")
  page = doc.meta.page and pandoc.utils.stringify(doc.meta.page)
  -- Every identifier is known (page_of) before links are mended.
  local blocks = sections(drop_unkept(doc.blocks))
  blocks = pandoc.Blocks(blocks):walk({Link = link, Inlines = tight, Code = unbroken, Superscript = superscript})
  return pandoc.Pandoc(blocks, doc.meta)
end
