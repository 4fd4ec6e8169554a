<?xml version="1.0" encoding="UTF-8"?>
<!--
  Plain text of an FB2 book: authors, title, series, annotation, then the text of every body
  (the notes body after the main one). One paragraph is one line, indented; titles stand between
  empty lines; poems, epigraphs and citations are indented further. The program writes the result
  in UTF-8 with CR LF line ends.
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

  <xsl:template match="/">
    <xsl:apply-templates select="fb:FictionBook"/>
  </xsl:template>

  <xsl:template match="fb:FictionBook">
    <xsl:variable name="info" select="fb:description/fb:title-info"/>
    <xsl:for-each select="$info/fb:author">
      <xsl:call-template name="person"/>
      <xsl:value-of select="$nl"/>
    </xsl:for-each>
    <xsl:if test="$info/fb:author">
      <xsl:value-of select="$nl"/>
    </xsl:if>
    <xsl:value-of select="normalize-space($info/fb:book-title)"/>
    <xsl:value-of select="$nl"/>
    <xsl:for-each select="$info/fb:sequence[normalize-space(@name) != '']">
      <xsl:value-of select="concat('(', normalize-space(@name))"/>
      <xsl:if test="normalize-space(@number) != ''">
        <xsl:value-of select="concat(' — ', normalize-space(@number))"/>
      </xsl:if>
      <xsl:value-of select="concat(')', $nl)"/>
    </xsl:for-each>
    <xsl:if test="$info/fb:annotation/*">
      <xsl:value-of select="$nl"/>
      <xsl:apply-templates select="$info/fb:annotation/*"/>
    </xsl:if>
    <xsl:apply-templates select="fb:body"/>
  </xsl:template>

  <xsl:template name="person">
    <xsl:variable name="name" select="normalize-space(concat(fb:first-name, ' ', fb:middle-name, ' ', fb:last-name))"/>
    <xsl:choose>
      <xsl:when test="$name != ''">
        <xsl:value-of select="$name"/>
      </xsl:when>
      <xsl:otherwise>
        <xsl:value-of select="normalize-space(fb:nickname)"/>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Structure -->

  <xsl:template match="fb:body">
    <xsl:value-of select="$nl"/>
    <xsl:if test="position() > 1">
      <xsl:value-of select="concat('* * *', $nl, $nl)"/>
      <xsl:if test="not(fb:title) and normalize-space(@name) != ''">
        <xsl:value-of select="concat(normalize-space(@name), $nl, $nl)"/>
      </xsl:if>
    </xsl:if>
    <xsl:apply-templates/>
  </xsl:template>

  <xsl:template match="fb:section">
    <xsl:apply-templates/>
  </xsl:template>

  <xsl:template match="fb:title">
    <xsl:value-of select="$nl"/>
    <xsl:for-each select="fb:p">
      <xsl:call-template name="line"/>
    </xsl:for-each>
    <xsl:value-of select="$nl"/>
  </xsl:template>

  <xsl:template match="fb:subtitle">
    <xsl:value-of select="$nl"/>
    <xsl:call-template name="line"/>
    <xsl:value-of select="$nl"/>
  </xsl:template>

  <xsl:template match="fb:p | fb:text-author">
    <xsl:param name="indent" select="'   '"/>
    <xsl:call-template name="line">
      <xsl:with-param name="indent" select="$indent"/>
    </xsl:call-template>
  </xsl:template>

  <xsl:template match="fb:empty-line">
    <xsl:value-of select="$nl"/>
  </xsl:template>

  <xsl:template match="fb:epigraph">
    <xsl:apply-templates>
      <xsl:with-param name="indent" select="'                    '"/>
    </xsl:apply-templates>
    <xsl:value-of select="$nl"/>
  </xsl:template>

  <xsl:template match="fb:cite">
    <xsl:value-of select="$nl"/>
    <xsl:apply-templates>
      <xsl:with-param name="indent" select="'        '"/>
    </xsl:apply-templates>
    <xsl:value-of select="$nl"/>
  </xsl:template>

  <xsl:template match="fb:poem">
    <xsl:param name="indent" select="'        '"/>
    <xsl:value-of select="$nl"/>
    <xsl:for-each select="fb:title/fb:p">
      <xsl:call-template name="line">
        <xsl:with-param name="indent" select="$indent"/>
      </xsl:call-template>
    </xsl:for-each>
    <xsl:apply-templates select="fb:epigraph"/>
    <xsl:for-each select="fb:stanza | fb:subtitle">
      <xsl:for-each select="self::fb:subtitle | fb:title/fb:p | fb:subtitle | fb:v">
        <xsl:call-template name="line">
          <xsl:with-param name="indent" select="$indent"/>
        </xsl:call-template>
      </xsl:for-each>
      <xsl:value-of select="$nl"/>
    </xsl:for-each>
    <xsl:for-each select="fb:text-author | fb:date">
      <xsl:call-template name="line">
        <xsl:with-param name="indent" select="concat($indent, '    ')"/>
      </xsl:call-template>
    </xsl:for-each>
  </xsl:template>

  <xsl:template match="fb:table">
    <xsl:value-of select="$nl"/>
    <xsl:for-each select="fb:tr">
      <line>
        <xsl:for-each select="fb:th | fb:td">
          <xsl:if test="position() > 1">
            <xsl:text> | </xsl:text>
          </xsl:if>
          <xsl:variable name="cell">
            <xsl:apply-templates mode="inline"/>
          </xsl:variable>
          <xsl:value-of select="normalize-space($cell)"/>
        </xsl:for-each>
        <xsl:value-of select="$nl"/>
      </line>
    </xsl:for-each>
    <xsl:value-of select="$nl"/>
  </xsl:template>

  <!-- Pictures have no text. -->
  <xsl:template match="fb:image | fb:binary | fb:description"/>

  <!-- One element as one line of text: its inline content with white space collapsed.
       The line goes out inside an element of its own, which the text output leaves out: text
       written after a variable was built is appended to the text before it by copying all of
       it, so one growing text node would make a big book's conversion quadratic. -->
  <xsl:template name="line">
    <xsl:param name="indent" select="''"/>
    <xsl:variable name="text">
      <xsl:apply-templates mode="inline"/>
    </xsl:variable>
    <line>
      <xsl:if test="normalize-space($text) != ''">
        <xsl:value-of select="concat($indent, normalize-space($text))"/>
      </xsl:if>
      <xsl:value-of select="$nl"/>
    </line>
  </xsl:template>

  <!-- Inline content: the text; a note reference in brackets unless it has them. -->
  <xsl:template match="fb:a[@type = 'note']" mode="inline">
    <xsl:variable name="mark" select="normalize-space(.)"/>
    <xsl:choose>
      <xsl:when test="starts-with($mark, '[') or starts-with($mark, '{') or starts-with($mark, '(')">
        <xsl:value-of select="$mark"/>
      </xsl:when>
      <xsl:otherwise>
        <xsl:value-of select="concat('[', $mark, ']')"/>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template match="fb:image" mode="inline"/>

  <xsl:template match="*" mode="inline">
    <xsl:apply-templates mode="inline"/>
  </xsl:template>

  <xsl:template match="text()" mode="inline">
    <xsl:value-of select="."/>
  </xsl:template>
</xsl:stylesheet>
