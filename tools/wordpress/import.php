<?php
// Imports icons as WordPress posts, each with its picture as featured image (uploaded into
// wp-content/uploads/YYYY/MM/ of the post's date, WordPress making the 150 x 150 thumbnail).
//   php import.php WORDPRESS_DIR LIST
// LIST is written by wordpress-icons: per line, tab-separated, the PNG file, the post name, the
// title, the date, the tags joined by "," and the source. Posts already there (same name and
// month) are left as they are, so an interrupted import can be run again.
// Run with WORDPRESS_CONFIG naming the site's configuration (Debian's wp-config.php reads it).
if ($argc !== 3) {
    fwrite(STDERR, "usage: php import.php WORDPRESS_DIR LIST\n");
    exit(2);
}
$_SERVER['WORDPRESS_CONFIG'] = getenv('WORDPRESS_CONFIG');
$_SERVER['HTTP_HOST'] = '127.0.0.1';
require $argv[1] . '/wp-load.php';
require_once ABSPATH . 'wp-admin/includes/image.php';
require_once ABSPATH . 'wp-admin/includes/file.php';
require_once ABSPATH . 'wp-admin/includes/media.php';

$lines = file($argv[2], FILE_IGNORE_NEW_LINES | FILE_SKIP_EMPTY_LINES);
if ($lines === false) {
    fwrite(STDERR, "import.php: cannot read {$argv[2]}\n");
    exit(1);
}

// Only the thumbnail size is made: the catalogue shows nothing else.
add_filter('intermediate_image_sizes_advanced', function ($sizes) {
    return array_intersect_key($sizes, ['thumbnail' => true]);
});
add_filter('big_image_size_threshold', '__return_false');
wp_defer_term_counting(true);
wp_suspend_cache_invalidation(true);

function import_icon(array $f)
{
    [$png, $name, $title, $date, $tags, $source] = array_pad($f, 6, '');
    $existing = get_posts(['name' => $name, 'post_type' => 'post', 'post_status' => 'any', 'numberposts' => 1,
                           'year' => (int)substr($date, 0, 4), 'monthnum' => (int)substr($date, 5, 2)]);
    if ($existing && has_post_thumbnail($existing[0])) {
        return 'kept';
    }
    $tagList = array_values(array_filter(explode(',', $tags), 'strlen'));
    $content = '<p>' . esc_html(implode(', ', $tagList)) . '</p>' .
               ($source !== '' ? '<p>' . esc_html($source) . '</p>' : '');
    $post = $existing ? $existing[0]->ID : wp_insert_post([
        'post_title' => $title, 'post_name' => $name, 'post_status' => 'publish',
        'post_date' => $date, 'post_date_gmt' => $date, 'post_content' => $content,
        'tags_input' => $tagList,
    ], true);
    if (is_wp_error($post)) {
        return $post->get_error_message();
    }
    // The upload is moved into place: hand WordPress a copy.
    $copy = wp_tempnam(basename($png));
    if (!copy($png, $copy)) {
        return "cannot copy $png";
    }
    $attachment = media_handle_sideload(['name' => basename($png), 'tmp_name' => $copy], $post, $title);
    if (is_wp_error($attachment)) {
        @unlink($copy);
        return $attachment->get_error_message();
    }
    set_post_thumbnail($post, $attachment);
    return 'added';
}

$counts = ['added' => 0, 'kept' => 0];
foreach ($lines as $n => $line) {
    $outcome = import_icon(explode("\t", $line));
    if (!isset($counts[$outcome])) {
        fwrite(STDERR, "import.php: line " . ($n + 1) . ": $outcome\n");
        exit(1);
    }
    $counts[$outcome]++;
}
wp_suspend_cache_invalidation(false);
wp_defer_term_counting(false);
echo "import.php: {$counts['added']} icons added, {$counts['kept']} already there\n";
