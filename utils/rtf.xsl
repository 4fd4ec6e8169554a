<?xml version="1.0" encoding="UTF-8"?>
<!--
  An RTF document of an FB2 book, in the Windows-1251 code page: authors, title, series and
  annotation, then the text of every body with headings by section depth, poems, citations,
  epigraphs and simple tables. Pictures are left out. Russian letters are left as they are: the
  program turns them into \'hh escapes and writes every other character in Windows-1251.
-->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:fb="http://www.gribuser.ru/xml/fictionbook/2.0"
    xmlns:l="http://www.w3.org/1999/xlink"
    exclude-result-prefixes="fb l">

  <xsl:output method="text" encoding="UTF-8"/>
  <xsl:strip-space elements="*"/>
  <xsl:preserve-space elements="fb:p fb:v fb:subtitle fb:text-author fb:td fb:th fb:strong fb:emphasis
      fb:style fb:a fb:strikethrough fb:sub fb:sup fb:code"/>

  <xsl:variable name="nl" select="'&#10;'"/>
  <xsl:variable name="info" select="/fb:FictionBook/fb:description/fb:title-info"/>

  <xsl:template match="/">
    <xsl:apply-templates select="fb:FictionBook"/>
  </xsl:template>

  <xsl:template match="fb:FictionBook">
    <xsl:text>{\rtf1\ansi\ansicpg1251\deff0\deflang1049</xsl:text>
    <xsl:value-of select="$nl"/>
    <xsl:text>{\fonttbl{\f0\froman\fcharset204 Times New Roman;}{\f1\fmodern\fcharset204 Courier New;}}</xsl:text>
    <xsl:value-of select="$nl"/>
    <xsl:text>{\info{\title </xsl:text>
    <xsl:call-template name="escape">
      <xsl:with-param name="text" select="normalize-space($info/fb:book-title)"/>
    </xsl:call-template>
    <xsl:text>}{\author </xsl:text>
    <xsl:for-each select="$info/fb:author">
      <xsl:if test="position() > 1">
        <xsl:text>, </xsl:text>
      </xsl:if>
      <xsl:call-template name="person"/>
    </xsl:for-each>
    <xsl:text>}}</xsl:text>
    <xsl:value-of select="$nl"/>
    <xsl:text>\paperw11906\paperh16838\margl1701\margr850\margt1134\margb1134\f0\fs24</xsl:text>
    <xsl:value-of select="$nl"/>

    <xsl:if test="$info/fb:author">
      <xsl:text>{\pard\qc\sa120\fs28 </xsl:text>
      <xsl:for-each select="$info/fb:author">
        <xsl:if test="position() > 1">
          <xsl:text>, </xsl:text>
        </xsl:if>
        <xsl:call-template name="person"/>
      </xsl:for-each>
      <xsl:text>\par}</xsl:text>
      <xsl:value-of select="$nl"/>
    </xsl:if>
    <xsl:text>{\pard\qc\sb240\sa240\keepn\b\fs36 </xsl:text>
    <xsl:call-template name="escape">
      <xsl:with-param name="text" select="normalize-space($info/fb:book-title)"/>
    </xsl:call-template>
    <xsl:text>\par}</xsl:text>
    <xsl:value-of select="$nl"/>
    <xsl:for-each select="$info/fb:sequence[normalize-space(@name) != '']">
      <xsl:text>{\pard\qc\sa120\i </xsl:text>
      <xsl:call-template name="escape">
        <xsl:with-param name="text" select="normalize-space(@name)"/>
      </xsl:call-template>
      <xsl:if test="normalize-space(@number) != ''">
        <xsl:value-of select="concat(' — ', normalize-space(@number))"/>
      </xsl:if>
      <xsl:text>\par}</xsl:text>
      <xsl:value-of select="$nl"/>
    </xsl:for-each>
    <xsl:if test="$info/fb:annotation/*">
      <xsl:text>{\pard\sa240\par}</xsl:text>
      <xsl:value-of select="$nl"/>
      <xsl:apply-templates select="$info/fb:annotation/*">
        <xsl:with-param name="format" select="'\li567\ri567\fs22 '"/>
      </xsl:apply-templates>
    </xsl:if>
    <xsl:apply-templates select="fb:body"/>
    <xsl:text>}</xsl:text>
    <xsl:value-of select="$nl"/>
  </xsl:template>

  <xsl:template name="person">
    <xsl:variable name="name" select="normalize-space(concat(fb:first-name, ' ', fb:middle-name, ' ', fb:last-name))"/>
    <xsl:call-template name="escape">
      <xsl:with-param name="text">
        <xsl:choose>
          <xsl:when test="$name != ''">
            <xsl:value-of select="$name"/>
          </xsl:when>
          <xsl:otherwise>
            <xsl:value-of select="normalize-space(fb:nickname)"/>
          </xsl:otherwise>
        </xsl:choose>
      </xsl:with-param>
    </xsl:call-template>
  </xsl:template>

  <!-- Structure: each paragraph is a group of its own, "{\pard FORMAT text\par}". -->

  <xsl:template match="fb:body">
    <xsl:if test="position() > 1">
      <xsl:text>\page</xsl:text>
      <xsl:value-of select="$nl"/>
      <xsl:if test="not(fb:title) and normalize-space(@name) != ''">
        <xsl:call-template name="paragraph">
          <xsl:with-param name="format" select="'\qc\sb240\sa240\keepn\b\fs32 '"/>
          <xsl:with-param name="text" select="normalize-space(@name)"/>
        </xsl:call-template>
      </xsl:if>
    </xsl:if>
    <xsl:apply-templates/>
  </xsl:template>

  <xsl:template match="fb:section">
    <xsl:apply-templates/>
  </xsl:template>

  <xsl:template match="fb:body/fb:title | fb:section/fb:title">
    <xsl:variable name="depth" select="count(ancestor::fb:section)"/>
    <xsl:variable name="size" select="substring('3228262424', 2 * ($depth * ($depth &lt; 4) + 4 * ($depth &gt;= 4)) + 1, 2)"/>
    <xsl:for-each select="fb:p | fb:empty-line">
      <xsl:choose>
        <xsl:when test="self::fb:empty-line">
          <xsl:text>{\pard\par}</xsl:text>
          <xsl:value-of select="$nl"/>
        </xsl:when>
        <xsl:otherwise>
          <xsl:call-template name="paragraph">
            <xsl:with-param name="format">
              <xsl:text>\qc\keepn\b</xsl:text>
              <xsl:if test="position() = 1">\sb360</xsl:if>
              <xsl:if test="position() = last()">\sa240</xsl:if>
              <xsl:value-of select="concat('\fs', $size, ' ')"/>
            </xsl:with-param>
          </xsl:call-template>
        </xsl:otherwise>
      </xsl:choose>
    </xsl:for-each>
  </xsl:template>

  <xsl:template match="fb:p">
    <xsl:param name="format" select="'\qj\fi567 '"/>
    <xsl:call-template name="paragraph">
      <xsl:with-param name="format" select="$format"/>
    </xsl:call-template>
  </xsl:template>

  <xsl:template match="fb:subtitle">
    <xsl:call-template name="paragraph">
      <xsl:with-param name="format" select="'\qc\sb120\sa120\keepn\b '"/>
    </xsl:call-template>
  </xsl:template>

  <xsl:template match="fb:text-author">
    <xsl:call-template name="paragraph">
      <xsl:with-param name="format" select="'\qr\sa120\i '"/>
    </xsl:call-template>
  </xsl:template>

  <xsl:template match="fb:empty-line">
    <xsl:text>{\pard\par}</xsl:text>
    <xsl:value-of select="$nl"/>
  </xsl:template>

  <xsl:template match="fb:epigraph">
    <xsl:apply-templates>
      <xsl:with-param name="format" select="'\li4536\i '"/>
    </xsl:apply-templates>
    <xsl:text>{\pard\sa120\par}</xsl:text>
    <xsl:value-of select="$nl"/>
  </xsl:template>

  <xsl:template match="fb:cite | fb:annotation">
    <xsl:apply-templates>
      <xsl:with-param name="format" select="'\qj\li1134\ri567\fs22 '"/>
    </xsl:apply-templates>
    <xsl:text>{\pard\sa120\par}</xsl:text>
    <xsl:value-of select="$nl"/>
  </xsl:template>

  <xsl:template match="fb:poem">
    <xsl:for-each select="fb:title/fb:p">
      <xsl:call-template name="paragraph">
        <xsl:with-param name="format" select="'\li1701\sb120\keepn\b '"/>
      </xsl:call-template>
    </xsl:for-each>
    <xsl:apply-templates select="fb:epigraph"/>
    <xsl:for-each select="fb:stanza | fb:subtitle">
      <xsl:for-each select="self::fb:subtitle | fb:title/fb:p | fb:subtitle">
        <xsl:call-template name="paragraph">
          <xsl:with-param name="format" select="'\li1701\keepn\b '"/>
        </xsl:call-template>
      </xsl:for-each>
      <xsl:for-each select="fb:v">
        <xsl:call-template name="paragraph">
          <xsl:with-param name="format" select="'\li1701 '"/>
        </xsl:call-template>
      </xsl:for-each>
      <xsl:text>{\pard\par}</xsl:text>
      <xsl:value-of select="$nl"/>
    </xsl:for-each>
    <xsl:for-each select="fb:text-author | fb:date">
      <xsl:call-template name="paragraph">
        <xsl:with-param name="format" select="'\li1701\i '"/>
      </xsl:call-template>
    </xsl:for-each>
  </xsl:template>

  <!-- Tables: cells of equal width in every row. -->
  <xsl:template match="fb:table">
    <xsl:for-each select="fb:tr">
      <xsl:variable name="width" select="floor(9000 div count(fb:th | fb:td))"/>
      <xsl:text>\trowd\trgaph108</xsl:text>
      <xsl:for-each select="fb:th | fb:td">
        <xsl:value-of select="concat('\clbrdrt\brdrs\clbrdrl\brdrs\clbrdrb\brdrs\clbrdrr\brdrs\cellx', $width * position())"/>
      </xsl:for-each>
      <xsl:value-of select="$nl"/>
      <xsl:for-each select="fb:th | fb:td">
        <xsl:text>\pard\intbl</xsl:text>
        <xsl:if test="self::fb:th">\qc\b</xsl:if>
        <xsl:text> </xsl:text>
        <xsl:apply-templates/>
        <xsl:if test="self::fb:th">\b0</xsl:if>
        <xsl:text>\cell</xsl:text>
        <xsl:value-of select="$nl"/>
      </xsl:for-each>
      <xsl:text>\row</xsl:text>
      <xsl:value-of select="$nl"/>
    </xsl:for-each>
    <xsl:text>\pard</xsl:text>
    <xsl:value-of select="$nl"/>
  </xsl:template>

  <xsl:template match="fb:image | fb:binary | fb:description"/>

  <!-- One paragraph: the format's control words, then the element's inline content or text. -->
  <xsl:template name="paragraph">
    <xsl:param name="format"/>
    <xsl:param name="text"/>
    <xsl:value-of select="concat('{\pard', $format)"/>
    <xsl:choose>
      <xsl:when test="$text != ''">
        <xsl:call-template name="escape">
          <xsl:with-param name="text" select="$text"/>
        </xsl:call-template>
      </xsl:when>
      <xsl:otherwise>
        <xsl:apply-templates/>
      </xsl:otherwise>
    </xsl:choose>
    <xsl:text>\par}</xsl:text>
    <xsl:value-of select="$nl"/>
  </xsl:template>

  <!-- Inline markup -->

  <xsl:template match="fb:strong">
    <xsl:text>{\b </xsl:text><xsl:apply-templates/><xsl:text>}</xsl:text>
  </xsl:template>

  <xsl:template match="fb:emphasis">
    <xsl:text>{\i </xsl:text><xsl:apply-templates/><xsl:text>}</xsl:text>
  </xsl:template>

  <xsl:template match="fb:strikethrough">
    <xsl:text>{\strike </xsl:text><xsl:apply-templates/><xsl:text>}</xsl:text>
  </xsl:template>

  <xsl:template match="fb:sub">
    <xsl:text>{\sub </xsl:text><xsl:apply-templates/><xsl:text>}</xsl:text>
  </xsl:template>

  <xsl:template match="fb:sup | fb:a[@type = 'note']">
    <xsl:text>{\super </xsl:text><xsl:apply-templates/><xsl:text>}</xsl:text>
  </xsl:template>

  <xsl:template match="fb:code">
    <xsl:text>{\f1 </xsl:text><xsl:apply-templates/><xsl:text>}</xsl:text>
  </xsl:template>

  <xsl:template match="fb:style | fb:a">
    <xsl:apply-templates/>
  </xsl:template>

  <!-- Text: white space collapsed, one blank kept where it separates words of the paragraph. -->
  <xsl:template match="text()">
    <xsl:variable name="text" select="normalize-space(.)"/>
    <xsl:variable name="blankBefore" select="translate(substring(., 1, 1), ' &#9;&#10;&#13;', '') = ''"/>
    <xsl:variable name="blankAfter" select="translate(substring(., string-length(.)), ' &#9;&#10;&#13;', '') = ''"/>
    <xsl:choose>
      <xsl:when test="$text = ''">
        <xsl:if test="preceding-sibling::node() and following-sibling::node()">
          <xsl:text> </xsl:text>
        </xsl:if>
      </xsl:when>
      <xsl:otherwise>
        <xsl:if test="$blankBefore and preceding-sibling::node()">
          <xsl:text> </xsl:text>
        </xsl:if>
        <xsl:call-template name="escape">
          <xsl:with-param name="text" select="$text"/>
        </xsl:call-template>
        <xsl:if test="$blankAfter and following-sibling::node()">
          <xsl:text> </xsl:text>
        </xsl:if>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The RTF specials \ { } escaped with a backslash. -->
  <xsl:template name="escape">
    <xsl:param name="text"/>
    <xsl:choose>
      <xsl:when test="not(contains($text, '\') or contains($text, '{') or contains($text, '}'))">
        <xsl:value-of select="$text"/>
      </xsl:when>
      <xsl:otherwise>
        <xsl:variable name="head" select="substring-before(translate($text, '{}', '\\'), '\')"/>
        <xsl:value-of select="$head"/>
        <xsl:value-of select="concat('\', substring($text, string-length($head) + 1, 1))"/>
        <xsl:call-template name="escape">
          <xsl:with-param name="text" select="substring($text, string-length($head) + 2)"/>
        </xsl:call-template>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>
</xsl:stylesheet>
